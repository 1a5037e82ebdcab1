#include "format/ListPrinter.h"

#include <cstdio>

#include "engine/FolderWalker.h"
#include "engine/NumberFormat.h"
#include "format/Tokens.h"
#include "platform/Utf8.h"

namespace tabulo {

std::string ConvertAttr(std::uint32_t attr) {
    switch (attr) {
        case 1: return "R";
        case 32: return "A";
        case 33: return "RA";
        case 34: return "HA";
        case 35: return "RHA";
        default: return {};
    }
}

struct ListPrinter::Block {
    std::vector<TFileItem>& entries;
    const std::string& dir;
    const OptionFlags& options;
    bool fromCatalog;
    std::int64_t folderSize;
    std::int64_t largestSize;
    std::int32_t folderFiles;
    std::int64_t folderDiskUsage = 0;
    std::int64_t archiveMemberCount = 0;
    std::size_t dateColumnWidth = 0;
    bool memberList() const { return options.ArchiveMembers; }
};

ListPrinter::ListPrinter(const ListSettings& settings, RunState& state, OutputDocument& document,
                         const Locale& locale, ShortNameSource& shortNames, AutoCommentsSource& autoComments,
                         int currentYear)
    : settings_(settings),
      state_(state),
      document_(document),
      locale_(locale),
      shortNames_(shortNames),
      autoComments_(autoComments),
      order_(settings, locale, currentYear),
      pattern_(ExpandLineBreaks(settings.ActivePattern)),
      patternTokens_(TokensIn(pattern_)) {}

std::string ListPrinter::GetDirname(const std::string& dir, bool fromCatalog) const {
    std::string name;
    if (fromCatalog) {
        // A catalog passes the path of the folder's first entry: its folder part is shown.
        const auto sep = dir.find_last_of('\\');
        name = sep == std::string::npos ? dir : dir.substr(0, sep);
        if (name.size() == 2 && name[1] == ':') name += '\\';
    } else {
        name = WithoutSeparator(dir);
        if (!settings_.ListOptions.FullPath) {
            const std::string start = WithSeparator(state_.StartDir);
            if ((name + '/').compare(0, start.size(), start) == 0) {
                name = name.size() >= start.size() ? name.substr(start.size()) : std::string();
            }
            if (name.empty()) name = "/";
        }
    }
    utf8::ReplaceControls(name);
    return name;
}

std::size_t ListPrinter::DateColumnWidth() const {
    const LocaleFormats& f = locale_.Formats();
    if (settings_.IncludeTime) return utf8::CharCount(f.shortDate) + utf8::CharCount(f.shortTime) + 6;
    return utf8::CharCount(f.shortDate) + 4;
}

std::string ListPrinter::GetFilesize(bool fixed, std::int64_t n, std::int64_t ref, const OptionFlags& options) const {
    const std::string& sep = locale_.Formats().thousandsSeparator;
    std::string text;
    if (options.KB) text = FormatKB(n);
    else if (n == 0) text = "0";
    else if (settings_.FormatSDV) text = std::to_string(n);
    else text = FormatThousands(n, sep);
    if (fixed) PadLeft(text, utf8::CharCount(FormatThousands(ref, sep)));
    return text;
}

void ListPrinter::PrintList(std::vector<TFileItem>& entries, const std::string& dir, const OptionFlags& options,
                            bool fromCatalog, std::int64_t folderSize, std::int64_t largestSize,
                            std::int32_t folderFiles) {
    Block block{entries, dir, options, fromCatalog, folderSize, largestSize, folderFiles};
    WriteOpening(block);
    block.dateColumnWidth = DateColumnWidth();
    order_.Sort(entries);
    for (std::size_t p = 0; p < entries.size(); ++p) WriteEntry(block, entries[p], p + 1);
    WriteClosing(block);
    document_.LayOut();
}

void ListPrinter::WriteOpening(Block& block) {
    const OptionFlags& options = block.options;
    const bool tree = options.TreeViewMode && !block.memberList();
    const bool html = settings_.rbHTML;
    std::string name = GetDirname(block.dir, block.fromCatalog);
    if (html) name = utf8::HtmlEscape(name);
    if (tree) {
        std::string line;
        for (int i = 1; i < state_.Level; ++i) line += "|  ";
        document_.AddNormalText(line + "|-- " + name);
    } else if (options.FolderHeader) {
        if (html) {
            document_.AddNormalText("\r<p>\r\n<b>Directory of " + name + "</b>\r\n</p>");
            if (block.folderFiles > 0) document_.AddNormalText("<table>");
        } else if (!settings_.rbSDV) {
            document_.AddBoldText("\rDirectory of " + name + "\r");
        }
    }
    if (options.DosLikeListing && !block.memberList() && state_.SubfolderList) {
        const std::vector<std::string>& rows = *state_.SubfolderList;
        for (const std::string& path : rows) {
            std::string row = path.size() > block.dir.size() ? path.substr(block.dir.size()) : std::string();
            if (options.LowerCase) row = utf8::ToLower(row);
            else if (options.UpperCase) row = utf8::ToUpper(row);
            utf8::ReplaceControls(row);
            if (html) document_.AddNormalText("<tr><td>" + utf8::HtmlEscape(row) + "</td><td>&lt;DIR&gt;</td></tr>");
            else document_.AddNormalText(FitToWidth(row, static_cast<std::size_t>(settings_.MaxLength)) + " <DIR>");
        }
        document_.AddNormalText("");
        state_.FolderCount = static_cast<std::int32_t>(rows.size());
        state_.SubfolderList.reset();
    }
}

std::string ListPrinter::Comment(Block& block, const TFileItem& entry, const std::string& fullPath) {
    if (block.fromCatalog) return entry.Comment;
    MetadataRecords& records = state_.Metadata;
    records.version.ProductVersion.clear();
    records.version.ProductName.clear();
    records.version.CompanyName.clear();
    if (settings_.UseAutoComments) {
        ResetID3TagInfo(records.id3);
        records.iptc.Clear();
    }
    // An archive member has no file of its own to read: it shows no comment and none of the
    // metadata its archive's line read.
    if (block.memberList()) return {};
    if (settings_.UseAutoComments) return autoComments_.AutoComments(fullPath, settings_, records);
    const std::string extension = utf8::ToUpper(ExtensionOf(entry.Name));
    if (extension == ".EXE" || extension == ".DLL") return autoComments_.AutoComments(fullPath, settings_, records);
    return {};
}

void ListPrinter::WriteEntry(Block& block, TFileItem& entry, std::size_t position) {
    const OptionFlags& options = block.options;
    const bool html = settings_.rbHTML;
    const bool fixed = settings_.FixedColumns;
    const bool tree = options.TreeViewMode;
    const std::size_t maxLength = static_cast<std::size_t>(settings_.MaxLength);

    // The name as found reaches the file system; the name shown is cased, 8.3 and fitted.
    const std::string foundName = entry.Name;
    if (options.LowerCase) entry.Name = utf8::ToLower(entry.Name);
    else if (options.UpperCase) entry.Name = utf8::ToUpper(entry.Name);
    utf8::ReplaceControls(entry.Name);

    const std::string fullPath = block.dir + foundName;
    const std::string extension(ExtensionOf(entry.Name));

    const bool wantShortName = (patternTokens_ & (std::uint64_t{1} << static_cast<int>(Token::NDOS))) != 0 ||
                               (!block.fromCatalog && options.ShortFNames);
    std::string shortName;
    if (wantShortName && !block.memberList() && !block.fromCatalog) {
        shortName = shortNames_.ShortName(block.dir, foundName);
        if (options.LowerCase) shortName = utf8::ToLower(shortName);
        else if (options.UpperCase) shortName = utf8::ToUpper(shortName);
    }
    const std::string dosName = FitToWidth(shortName, 12);

    std::string baseName;
    if (!block.fromCatalog && options.ShortFNames) {
        entry.Name = shortName;
        const std::size_t count = utf8::CharCount(entry.Name);
        if (count < 12) entry.Name.append(12 - count, ' ');
    } else if (extension.empty()) {
        baseName = entry.Name;
    } else {
        // Every occurrence of the extension is taken out, ignoring case.
        const std::string upperName = utf8::ToUpper(entry.Name);
        const std::string upperExt = utf8::ToUpper(extension);
        if (upperName.size() == entry.Name.size() && upperExt.size() == extension.size()) {
            for (std::size_t i = 0; i < entry.Name.size();) {
                if (upperName.compare(i, upperExt.size(), upperExt) == 0) i += upperExt.size();
                else baseName.push_back(entry.Name[i++]);
            }
        } else {
            baseName = entry.Name.substr(0, entry.Name.size() - extension.size());
        }
    }
    if (fixed && !(options.IgnoreMaxColumnSize && options.TreeViewMode)) {
        entry.Name = FitToWidth(entry.Name, maxLength);
        baseName = FitToWidth(baseName, maxLength);
    }

    const std::string sizeText = GetFilesize(fixed, entry.Size, block.largestSize, options);
    std::string diskUsage;
    if (!block.fromCatalog) {
        const std::int64_t cluster = state_.ClusterSize;
        std::int64_t allocated = entry.Size;
        if (cluster > 0 && entry.Size > 0 && entry.Size % cluster != 0) {
            allocated = entry.Size > INT64_MAX - cluster ? INT64_MAX : (entry.Size / cluster + 1) * cluster;
        }
        const std::int64_t ref = block.largestSize > INT64_MAX / 100 ? INT64_MAX : 100 * block.largestSize;
        diskUsage = GetFilesize(fixed, allocated, ref, options);
        block.folderDiskUsage += allocated;
    }

    if (tree) {
        std::string line;
        for (int i = 0; i < state_.Level; ++i) line += "|  ";
        if (state_.Level > 0) line += block.memberList() ? "|  " : "|-- ";
        if (html) utf8::AppendHtmlEscaped(line, entry.Name);
        else line += entry.Name;
        document_.AddNormalText(line);
    } else {
        const std::string attrText = settings_.IncludeAttr ? ConvertAttr(entry.Attr) : std::string();
        std::string dateText = entry.Date + " " + entry.Time;
        if (fixed) PadLeft(dateText, block.dateColumnWidth);

        std::int64_t number = static_cast<std::int64_t>(position);
        if (!options.ResetCounter) number += state_.FileCount - static_cast<std::int64_t>(block.entries.size());
        char numberText[32];
        std::snprintf(numberText, sizeof numberText, "%.*lld", settings_.NumDigits, static_cast<long long>(number));

        const std::string_view dir(block.dir);
        const std::string path(dir.substr(0, dir.find_last_of("/\\") + 1));

        bool commentDone = false;
        std::string comment;
        auto getComment = [&]() -> const std::string& {
            if (!commentDone) {
                comment = Comment(block, entry, fullPath);
                if (fixed) comment = FitToWidth(comment, static_cast<std::size_t>(settings_.MaxLengthComment));
                commentDone = true;
            }
            return comment;
        };
        const MetadataRecords& md = state_.Metadata;
        auto fileText = [&](std::string_view value) { return html ? utf8::HtmlEscape(value) : std::string(value); };

        line_ = pattern_;
        bool anyToken = false;  // set once a replacement may have made tokens the pattern lacks
        for (std::size_t t = 0; t < kTokenCount; ++t) {
            if (!anyToken && (patternTokens_ & (std::uint64_t{1} << t)) == 0) continue;
            if (line_.find('%') == std::string::npos) break;
            if (!ContainsToken(line_, kTokenTexts[t])) continue;
            std::string value;
            switch (static_cast<Token>(t)) {
                case Token::NAME: value = fileText(entry.Name); break;
                case Token::SIZE: value = sizeText; break;
                case Token::DUSG: value = diskUsage; break;
                case Token::DATE: value = dateText; break;
                case Token::TIME: break;
                case Token::ATTR: value = attrText; break;
                case Token::NUMB: value = numberText; break;
                case Token::FNAM: value = fileText(baseName); break;
                case Token::NDOS: value = fileText(dosName); break;
                case Token::CTIM: value = entry.Created; break;
                case Token::ATIM: value = entry.Accessed; break;
                case Token::FEXT: value = fileText(extension); break;
                case Token::PATH: {
                    std::string shown = path;
                    utf8::ReplaceControls(shown);
                    value = fileText(shown);
                    break;
                }
                case Token::COMM: value = fileText(getComment()); break;
                default: {
                    getComment();  // the metadata tokens show what the comment's reader found
                    switch (static_cast<Token>(t)) {
                        case Token::FILE_VER: value = fileText(md.version.ProductVersion); break;
                        case Token::FILE_NAM: value = fileText(md.version.ProductName); break;
                        case Token::FILE_COM: value = fileText(md.version.CompanyName); break;
                        case Token::MP3_TIT: value = fileText(md.id3.Title); break;
                        case Token::MP3_ART: value = fileText(md.id3.Artist); break;
                        case Token::MP3_ALB: value = fileText(md.id3.Album); break;
                        case Token::MP3_YER: value = fileText(md.id3.Year); break;
                        case Token::MP3_COM: value = fileText(md.id3.Comment); break;
                        case Token::MP3_GEN: value = fileText(md.id3.Genre); break;
                        case Token::MP3_TRK: value = fileText(md.id3.Track); break;
                        case Token::IPTC_CAP: value = fileText(md.iptc.Caption); break;
                        case Token::IPTC_HDL: value = fileText(md.iptc.Headline); break;
                        case Token::IPTC_BYL: value = fileText(md.iptc.ByLine); break;
                        case Token::IPTC_CRE: value = fileText(md.iptc.Credit); break;
                        case Token::IPTC_OBJ: value = fileText(md.iptc.ObjectName); break;
                        case Token::IPTC_DAT: {
                            LocalDateTime day;
                            day.date = md.iptc.DateCreated;
                            day.weekday = WeekdayOf(day.date);
                            value = locale_.ShortDate(day);
                            break;
                        }
                        case Token::IPTC_CIT: value = fileText(md.iptc.City); break;
                        case Token::IPTC_STA: value = fileText(md.iptc.State); break;
                        case Token::IPTC_COU: value = fileText(md.iptc.Country); break;
                        case Token::IPTC_COP: value = fileText(md.iptc.CopyrightNotice); break;
                        default: break;
                    }
                }
            }
            if (ReplaceToken(line_, kTokenTexts[t], value, scratch_)) anyToken = true;
        }
        document_.AddNormalText(line_);
    }

    if (entry.Members) {
        const std::int64_t members = static_cast<std::int64_t>(entry.Members->size());
        PrintList(*entry.Members, block.dir, settings_.ArchiveOptions, false, block.folderSize, block.largestSize,
                  block.folderFiles);
        block.archiveMemberCount += members;
    }
}

void ListPrinter::WriteClosing(Block& block) {
    const OptionFlags& options = block.options;
    const bool html = settings_.rbHTML;
    const std::string& sep = locale_.Formats().thousandsSeparator;
    if (block.memberList() && !options.TreeViewMode) document_.AddNormalText("");
    if (options.TreeViewMode) {
        std::string bars;
        for (int i = 0; i < state_.Level; ++i) bars += "|  ";
        document_.AddNormalText(bars);
    } else {
        if (html) {
            document_.AddNormalText("</table>");
            document_.AddNormalText("<br>");
        }
        if (options.FolderSummary && html) {
            document_.AddNormalText("<p>");
            document_.AddNormalText(std::to_string(block.folderFiles) + " file(s) found<br>");
            if (options.KB) {
                document_.AddNormalText("Total file size " + FormatThousands(KBValue(block.folderSize), sep) +
                                        " KB<br>\r\n</p>");
            } else if (block.folderSize > 0) {
                document_.AddNormalText("Total file size " + FormatThousands(block.folderSize, sep) +
                                        " bytes<br>\r\n</p>");
            } else {
                document_.AddNormalText("Total file size 0 bytes\r\n</p>");
            }
            if (block.archiveMemberCount > 0) {
                document_.AddNormalText("<br>" + std::to_string(block.archiveMemberCount) +
                                        " file(s) found in archives<br>");
            }
        } else if (options.FolderSummary && !settings_.rbSDV) {
            document_.AddNormalText("\r\n " + std::to_string(block.folderFiles) + " file(s) found");
            if (options.KB) {
                document_.AddNormalText(" Total file size " + FormatThousands(KBValue(block.folderSize), sep) + " KB");
            } else if (block.folderSize > 0) {
                document_.AddNormalText(" Total file size " + FormatThousands(block.folderSize, sep) + " bytes");
            } else {
                document_.AddNormalText(" Total file size 0 bytes");
            }
            if (settings_.ActivePattern.find("%DUSG") != std::string::npos) {
                if (options.KB) {
                    document_.AddNormalText(" Total disk space used " +
                                            FormatThousands(KBValue(block.folderDiskUsage), sep) + " KB");
                } else if (block.folderDiskUsage > 0) {
                    document_.AddNormalText(" Total disk space used " + FormatThousands(block.folderDiskUsage, sep) +
                                            " bytes");
                }
            }
            if (block.archiveMemberCount > 0) {
                document_.AddNormalText("\r\n " + std::to_string(block.archiveMemberCount) +
                                        " file(s) found in archives");
            }
        }
    }
    if (options.DosLikeListing && !block.memberList()) {
        document_.AddNormalText(" " + std::to_string(state_.FolderCount) + " folder(s) found");
    }
}

}  // namespace tabulo
