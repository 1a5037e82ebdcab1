#include "catalog/CatalogImport.h"

#include <algorithm>

#include "catalog/CatalogFields.h"
#include "catalog/CatalogFile.h"
#include "engine/EntryOrder.h"
#include "engine/FilterMasks.h"
#include "engine/FolderWalker.h"
#include "engine/ListingRun.h"
#include "format/ListPrinter.h"
#include "format/Tokens.h"
#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

// The catalog's file name without its folder.
std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsHeaderLine(std::string_view line) {
    return !line.empty() && line.front() == '<';
}

}  // namespace

UserMessage OldFormatMessage() {
    return {"Unable to import catalog.\r\n\r\nYou can only import catalog files\r\ncreated with Vaultix 4.0 or later.",
            "Old catalog format", MessageIcon::Information};
}

void FixCatalogPattern(ListSettings& settings, bool simpleMode) {
    if (simpleMode) {
        settings.ActivePattern =
            MakePattern(settings.IncludeSize, settings.IncludeDate, settings.IncludeTime, settings.IncludeAttr);
    }
    ListingRun::FixPattern(settings);
}

CatalogImport::CatalogImport(const ListSettings& settings, RunState& state, OutputDocument& document,
                             const Locale& locale, RunObserver& observer, FolderPrinter& printer,
                             MessageCallback messages)
    : settings_(settings),
      state_(state),
      document_(document),
      locale_(locale),
      observer_(observer),
      printer_(printer),
      messages_(std::move(messages)) {
    for (const std::string& mask : GetUserExtension(settings.Filter)) {
        if (mask == "*.*")
            allPass_ = true;
        else if (!mask.empty() && mask.front() == '*')
            extensionMasks_.push_back(mask.substr(1));
    }
}

bool CatalogImport::PassesFilter(std::string_view name) const {
    if (allPass_) return true;
    if (extensionMasks_.empty()) return false;
    const std::string extension = utf8::ToUpper(ExtensionOf(name));
    return std::find(extensionMasks_.begin(), extensionMasks_.end(), extension) != extensionMasks_.end();
}

ImportResult CatalogImport::ImportVaultixCatalog(const std::string& path) {
    ImportResult result;
    if (state_.Running.exchange(true)) return result;
    struct RunningGuard {
        RunState& state;
        ~RunningGuard() { state.Running = false; }
    } running{state_};
    result.started = true;

    const bool foldersOnly = settings_.ListOptions.FoldersOnly;
    const std::string fileName = FileNameOf(path);
    try {
        Begin(fileName);
        const CatalogFile file(path);
        std::size_t line = 0;
        while (line < file.LineCount() && IsHeaderLine(file.Line(line)) && !state_.AbortRequested) {
            observer_.ProcessMessages(state_);
            ++line;
        }
        // A file of header lines only (or none) lists nothing.
        if (!state_.AbortRequested && line < file.LineCount() && !ReadEntries(file, line, path)) {
            result.refused = true;
        }
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    End(foldersOnly);
    result.aborted = state_.AbortRequested;
    return result;
}

void CatalogImport::Begin(const std::string& fileName) {
    state_.FileCount = 0;
    state_.FolderCount = 0;
    state_.AbortRequested = false;
    // Each block stands as one folder listed on its own, so tree lines are drawn as for one.
    state_.Level = 1;
    state_.SubfolderList.emplace();
    entries_.clear();
    folderSize_ = largestSize_ = 0;
    folderFiles_ = 0;
    document_.Clear();
    observer_.SetBusyCursor(true);
    observer_.SetStatusPanel(0, "Press ESC to abort");
    observer_.SetStatusPanel(1, "Scanning " + fileName);
}

bool CatalogImport::ReadEntries(const CatalogFile& file, std::size_t first, const std::string& path) {
    const OptionFlags& options = settings_.ListOptions;
    if (options.VolumeLabel) {
        std::string shown = FileNameOf(path);
        utf8::ReplaceControls(shown);
        document_.AddNormalText("Vaultix Catalog: " + (settings_.rbHTML ? utf8::HtmlEscape(shown) : shown));
    }
    bool anyEntry = false;
    for (std::size_t i = first; i < file.LineCount() && !state_.AbortRequested; ++i) {
        observer_.ProcessMessages(state_);
        const std::string_view line = file.Line(i);
        if (IsHeaderLine(line)) continue;
        const CatalogFields fields = ExtractFields(line);
        const std::string_view folder = CatalogFolderOf(fields.path);
        if (!anyEntry || folder != folder_) {
            if (anyEntry) CloseFolder();
            anyEntry = true;
            folder_.assign(folder);
            firstPath_.assign(fields.path);
        }
        const std::string_view name = CatalogNameOf(fields.path);
        if (options.FoldersOnly || !PassesFilter(name)) continue;
        if (fields.size.find("KB") != std::string_view::npos) {
            Refuse();
            return false;
        }
        const auto size = ParseCatalogSize(fields.size);
        if (!size) {
            throw TabuloError("line " + std::to_string(i + 1) + " of '" + path + "': '" + std::string(fields.size) +
                              "' is not a valid size");
        }
        ++state_.FileCount;
        ++folderFiles_;
        TFileItem entry =
            NewCurrentItem(std::string(name), settings_.IncludeDate ? std::string(fields.date) : std::string(), *size,
                           std::string(), 0);
        entry.Comment = fields.description;
        largestSize_ = std::max(largestSize_, *size);
        folderSize_ += *size;
        entries_.push_back(std::move(entry));
    }
    if (anyEntry) CloseFolder();
    if (options.FoldersOnly) {
        SearchOnlyDirectory(settings_, state_, document_, locale_);
        state_.FolderCount = static_cast<std::int32_t>(state_.SubfolderList->size());
        document_.LayOut();
    }
    return true;
}

void CatalogImport::CloseFolder() {
    const OptionFlags& options = settings_.ListOptions;
    if (options.FoldersOnly) {
        std::string name = folder_;
        if (options.LowerCase)
            name = utf8::ToLower(name);
        else if (options.UpperCase)
            name = utf8::ToUpper(name);
        state_.SubfolderList->push_back(std::move(name));
        return;
    }
    if (!(options.IgnoreEmpty && folderFiles_ == 0)) {
        // The DOS-like layout prints and releases the "<DIR>" rows of each block; a catalog has
        // none, so every block gets an empty list of its own.
        if (options.DosLikeListing) state_.SubfolderList.emplace();
        printer_.PrintList(entries_, firstPath_, options, true, folderSize_, largestSize_, folderFiles_);
    }
    entries_.clear();
    folderSize_ = largestSize_ = 0;
    folderFiles_ = 0;
}

void CatalogImport::Refuse() {
    document_.AddNormalText(kOldFormatParagraph);
    if (messages_) messages_(OldFormatMessage());
}

void CatalogImport::End(bool foldersOnly) {
    observer_.SetStatusPanel(1, foldersOnly ? std::to_string(state_.FolderCount) + " folders found"
                                            : std::to_string(state_.FileCount) + " files found");
    observer_.SetStatusPanel(0, "Ready");
    entries_.clear();
    folder_.clear();
    firstPath_.clear();
    state_.SubfolderList.reset();
    observer_.SetBusyCursor(false);
}

ImportResult ImportCatalog(const ListSettings& settings, RunState& state, OutputDocument& document,
                           const ListingServices& services, const std::string& path, MessageCallback messages) {
    ResolvedServices s(services);
    ListPrinter printer(settings, state, document, s.Locale(), s.ShortNames(), s.AutoComments(), s.Year());
    CatalogImport import(settings, state, document, s.Locale(), s.Observer(), printer, std::move(messages));
    return import.ImportVaultixCatalog(path);
}

}  // namespace tabulo
