#include "engine/FolderWalker.h"

#include <algorithm>

#include "engine/EntryOrder.h"
#include "platform/DirectoryReader.h"
#include "platform/Utf8.h"

namespace tabulo {

std::string WithSeparator(const std::string& dir) {
    if (!dir.empty() && dir.back() == '/') return dir;
    return dir + '/';
}

std::string WithoutSeparator(const std::string& dir) {
    if (dir.size() > 1 && dir.back() == '/') return dir.substr(0, dir.size() - 1);
    return dir;
}

FolderWalker::FolderWalker(const ListSettings& settings, RunState& state, OutputDocument& document,
                           const Locale& locale, RunObserver& observer, FolderPrinter& printer,
                           AutoCommentsSource& autoComments, ArchiveLister& archives)
    : settings_(settings),
      state_(state),
      document_(document),
      locale_(locale),
      observer_(observer),
      printer_(printer),
      autoComments_(autoComments),
      archives_(archives) {
    for (const std::string& mask : GetUserExtension(settings.Filter))
        masks_.emplace_back(mask);
}

bool FolderWalker::FolderAllowed(const std::string& dir) const {
    if (!settings_.Exclusions) return true;
    for (const std::string& excluded : settings_.ExcludedFolders) {
        if (settings_.ExcludeAllSubfolders) {
            if (!excluded.empty() && dir.find(excluded) != std::string::npos) return false;
        } else if (utf8::EqualIgnoreCase(dir, excluded)) {
            return false;
        }
    }
    return true;
}

bool FolderWalker::FileAllowed(std::string_view name) const {
    if (!settings_.Exclusions) return true;
    for (const std::string& excluded : settings_.ExcludedFileNames) {
        if (utf8::EqualIgnoreCase(name, excluded)) return false;
    }
    const std::string_view extension = ExtensionOf(name);
    if (extension.empty()) return true;
    for (const std::string& excluded : settings_.ExcludedExtensions) {
        if (utf8::EqualIgnoreCase(extension, excluded)) return false;
    }
    return true;
}

std::string FolderWalker::GetDate(std::int64_t time) const {
    if (!settings_.IncludeDate) return {};
    return locale_.ShortDate(ToLocalDateTime(time));
}

std::string FolderWalker::GetTime(std::int64_t time) const {
    if (!settings_.IncludeDate || !settings_.IncludeTime) return {};
    return locale_.LongTime(ToLocalDateTime(time));
}

std::string FolderWalker::DateTimeText(std::int64_t time) const {
    const LocalDateTime local = ToLocalDateTime(time);
    std::string text = locale_.ShortDate(local);
    if (local.hour != 0 || local.minute != 0 || local.second != 0) {
        text += ' ';
        locale_.AppendLongTime(text, local);
    }
    text += ' ';
    return text;
}

std::string FolderWalker::FolderName(const std::string& dir, bool relative) const {
    std::string name = WithoutSeparator(dir);
    if (!relative) return name;
    const std::string start = WithSeparator(state_.StartDir);
    if (name.size() + 1 >= start.size() && (name + '/').compare(0, start.size(), start) == 0) {
        return name.size() >= start.size() ? name.substr(start.size()) : std::string();
    }
    return name;
}

void FolderWalker::ReadMembers(TFileItem& entry, const std::string& path) {
    auto members = archives_.ListMembers(path);
    if (!members) return;
    entry.Members.emplace();
    entry.Members->reserve(members->size());
    for (const ArchiveMember& m : *members) {
        const auto slash = m.name.find_last_of("/\\");
        const std::string last = slash == std::string::npos ? m.name : m.name.substr(slash + 1);
        const std::string date = m.mtime ? locale_.ShortDate(ToLocalDateTime(*m.mtime)) : std::string();
        entry.Members->push_back(NewCurrentItem("|--> " + last, date, m.size, std::string(), 0));
    }
}

void FolderWalker::SearchCurrentDirectory(const std::string& folder) {
    if (!FolderAllowed(folder)) return;
    std::vector<TFileItem> entries;
    std::int32_t fileCount = 0;
    std::int64_t folderSize = 0;
    std::int64_t largestSize = 0;
    const std::string dir = WithSeparator(folder);

    const std::string shown = WithoutSeparator(dir);
    observer_.SetStatusPanel(0, "Press ESC to abort");
    observer_.SetStatusPanel(1, "Scanning " + shown);
    observer_.SetDirLabel(shown);
    observer_.ProcessMessages(state_);

    if (settings_.ListOptions.DosLikeListing) {
        state_.SubfolderList.emplace();
        FindSubDirectory(*state_.SubfolderList, state_.StartDir);
    }

    auto finish = [&]() {
        if (settings_.UseAutoComments && settings_.cbDescript) autoComments_.CheckDesctriptIonFile(dir);
        if (!(settings_.ListOptions.IgnoreEmpty && fileCount == 0)) {
            printer_.PrintList(entries, dir, settings_.ListOptions, false, folderSize, largestSize, fileCount);
        }
    };

    try {
        DirectoryReader reader;
        scannedDir_ = dir;
        scannedSubfolders_.clear();
        if (reader.Read(dir)) {
            entries.reserve(reader.Count());
            for (std::size_t i = 0; i < reader.Count(); ++i) {
                if (reader.KindOf(i) == DirectoryReader::Kind::Folder) {
                    scannedSubfolders_.push_back(dir + std::string(reader.Name(i)));
                }
            }
        } else {
            scannedDir_.clear();
        }
        // The files the masks will list are examined ahead; in a big folder two at a time.
        std::vector<std::size_t> listed;
        for (std::size_t i = 0; i < reader.Count(); ++i) {
            const std::string_view name = reader.Name(i);
            if (reader.KindOf(i) != DirectoryReader::Kind::File) continue;
            if (!settings_.IncludeAllFiles && reader.IsHiddenOrSystem(i)) continue;
            if (!std::any_of(masks_.begin(), masks_.end(), [name](const FileMask& m) { return m.Matches(name); }))
                continue;
            if (FileAllowed(name)) listed.push_back(i);
        }
        reader.Prefetch(listed, settings_.UseFileTimes);
        for (const FileMask& mask : masks_) {
            for (std::size_t i = 0; i < reader.Count() && !state_.AbortRequested; ++i) {
                const std::string_view name = reader.Name(i);
                if (!mask.Matches(name)) continue;
                if (reader.KindOf(i) != DirectoryReader::Kind::File) continue;
                if (!settings_.IncludeAllFiles && reader.IsHiddenOrSystem(i)) continue;
                if (!FileAllowed(name)) continue;
                FileStat st;
                if (!reader.Stat(i, st, settings_.UseFileTimes)) continue;  // gone since it was found

                TFileItem entry =
                    NewCurrentItem(std::string(name), GetDate(st.mtime), st.size, GetTime(st.mtime), st.attr);
                if (settings_.UseFileTimes) {
                    if (st.birthTime) entry.Created = DateTimeText(*st.birthTime);
                    entry.Accessed = DateTimeText(st.atime);
                }
                largestSize = std::max(largestSize, st.size);
                state_.TotalSize += st.size;
                folderSize += st.size;
                entries.push_back(std::move(entry));
                if (settings_.ListOptions.ZipContent) ReadMembers(entries.back(), dir + std::string(name));
                ++state_.FileCount;
                ++fileCount;
                observer_.ProcessMessages(state_);
            }
            if (state_.AbortRequested) break;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void FolderWalker::SortFolderList(std::vector<std::string>& list) const {
    std::stable_sort(list.begin(), list.end(), [this](const std::string& a, const std::string& b) {
        return locale_.CompareIgnoreCase(a, b) < 0;
    });
}

void FolderWalker::FindSubDirectory(std::vector<std::string>& list, const std::string& folder) {
    const std::string dir = WithSeparator(folder);
    if (dir == scannedDir_) {
        list.insert(list.end(), scannedSubfolders_.begin(), scannedSubfolders_.end());
    } else {
        DirectoryReader reader;
        if (reader.Read(dir)) {
            for (std::size_t i = 0; i < reader.Count(); ++i) {
                if (reader.KindOf(i) == DirectoryReader::Kind::Folder)
                    list.push_back(dir + std::string(reader.Name(i)));
            }
        }
    }
    SortFolderList(list);
}

void FolderWalker::SearchRecursive(const std::string& folder) {
    ++state_.Level;
    struct LevelGuard {
        RunState& state;
        ~LevelGuard() { --state.Level; }
    } guard{state_};

    std::vector<std::string> subfolders;
    const std::string dir = WithSeparator(folder);
    const OptionFlags& options = settings_.ListOptions;
    if (options.FoldersOnly) {
        std::string name = FolderName(dir, !options.FullPath);
        if (options.LowerCase)
            name = utf8::ToLower(name);
        else if (options.UpperCase)
            name = utf8::ToUpper(name);
        if (!state_.SubfolderList) state_.SubfolderList.emplace();
        state_.SubfolderList->push_back(std::move(name));
        scannedDir_.clear();
    } else {
        SearchCurrentDirectory(dir);
    }

    if (settings_.RecurseAll || state_.Level < settings_.Levels + 1) {
        FindSubDirectory(subfolders, dir);
        for (const std::string& sub : subfolders) {
            if (state_.AbortRequested) break;
            SearchRecursive(sub);
        }
    }
}

void FolderWalker::SearchOnlyDirectory() {
    tabulo::SearchOnlyDirectory(settings_, state_, document_, locale_);
}

void SearchOnlyDirectory(const ListSettings& settings, RunState& state, OutputDocument& document,
                         const Locale& locale) {
    if (!state.SubfolderList) state.SubfolderList.emplace();
    std::vector<std::string>& list = *state.SubfolderList;
    std::stable_sort(list.begin(), list.end(), [&locale](const std::string& a, const std::string& b) {
        return locale.CompareIgnoreCase(a, b) < 0;
    });
    document.AddNormalText("");
    std::string text;
    for (const std::string& line : list) {
        std::string shown = line;
        utf8::ReplaceControls(shown);
        if (settings.rbHTML)
            utf8::AppendHtmlEscaped(text, shown);
        else
            text += shown;
        text += "\r\n";
    }
    document.AddNormalText(text);
}

}  // namespace tabulo
