#include "format/ListPrinter.h"

#include <cstdio>

#include "engine/FolderWalker.h"
#include "engine/NumberFormat.h"
#include "format/Tokens.h"
#include "platform/Utf8.h"

namespace tabulo {

std::string ConvertAttr(std::uint32_t attr) {
    switch (attr) {
        case 1:
            return "R";
        case 32:
            return "A";
        case 33:
            return "RA";
        case 34:
            return "HA";
        case 35:
            return "RHA";
        default:
            return {};
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
    std::size_t sizeWidth = 0;   // width of the largest size, grouped
    std::size_t usageWidth = 0;  // width of 100 times the largest size, grouped
    bool memberList() const { return options.ArchiveMembers; }
};

ListPrinter::ListPrinter(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
                         ShortNameSource& shortNames, AutoCommentsSource& autoComments, int currentYear)
    : settings_(settings),
      state_(state),
      document_(document),
      locale_(locale),
      shortNames_(shortNames),
      autoComments_(autoComments),
      order_(settings, locale, currentYear),
      pattern_(ExpandLineBreaks(settings.ActivePattern)),
      patternTokens_(TokensIn(pattern_)) {
    // The pattern as literal pieces and token slots; a "%" left in the literal text could join a
    // value into a token, so such a pattern is always replaced token by token.
    singlePass_ = true;
    std::size_t literalStart = 0;
    for (std::size_t i = 0; i < pattern_.size(); ++i) {
        if (pattern_[i] != '%') continue;
        for (std::size_t t = 0; t < kTokenCount; ++t) {
            const std::string_view token = kTokenTexts[t];
            if (!ContainsToken(std::string_view(pattern_).substr(i, token.size()), token)) continue;
            if (i > literalStart) pieces_.push_back({pattern_.substr(literalStart, i - literalStart), -1});
            pieces_.push_back({std::string(), static_cast<int>(t)});
            literalStart = i + token.size();
            i = literalStart - 1;
            break;
        }
    }
    if (literalStart < pattern_.size()) pieces_.push_back({pattern_.substr(literalStart), -1});
    for (const PatternPiece& piece : pieces_) {
        if (piece.token < 0 && piece.literal.find('%') != std::string::npos) singlePass_ = false;
    }
}

std::string ListPrinter::GetDirname(const std::string& dir, bool fromCatalog) const {
    std::string name;
    if (fromCatalog) {
        // A catalog passes the path of the folder's first entry: its folder part is shown (none
        // for a path without a backslash); a drive root keeps its backslash.
        const auto sep = dir.find_last_of('\\');
        if (sep == std::string::npos)
            name.clear();
        else if (sep == 0 || (sep == 2 && dir[1] == ':'))
            name = dir.substr(0, sep + 1);
        else
            name = dir.substr(0, sep);
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
    return SizeText(fixed, n, utf8::CharCount(FormatThousands(ref, locale_.Formats().thousandsSeparator)), options);
}

void ListPrinter::PrintList(std::vector<TFileItem>& entries, const std::string& dir, const OptionFlags& options,
                            bool fromCatalog, std::int64_t folderSize, std::int64_t largestSize,
                            std::int32_t folderFiles) {
    Block block{entries, dir, options, fromCatalog, folderSize, largestSize, folderFiles};
    WriteOpening(block);
    block.dateColumnWidth = DateColumnWidth();
    const std::string& sep = locale_.Formats().thousandsSeparator;
    block.sizeWidth = utf8::CharCount(FormatThousands(largestSize, sep));
    block.usageWidth =
        utf8::CharCount(FormatThousands(largestSize > INT64_MAX / 100 ? INT64_MAX : 100 * largestSize, sep));
    // The entries are printed in sorted order without being moved.
    const std::vector<std::size_t> order = order_.SortedOrder(entries);
    for (std::size_t p = 0; p < order.size(); ++p)
        WriteEntry(block, entries[order[p]], p + 1);
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
        for (int i = 1; i < state_.Level; ++i)
            line += "|  ";
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
            if (options.LowerCase)
                row = utf8::ToLower(row);
            else if (options.UpperCase)
                row = utf8::ToUpper(row);
            utf8::ReplaceControls(row);
            if (html)
                document_.AddNormalText("<tr><td>" + utf8::HtmlEscape(row) + "</td><td>&lt;DIR&gt;</td></tr>");
            else
                document_.AddNormalText(FitToWidth(row, static_cast<std::size_t>(settings_.MaxLength)) + " <DIR>");
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

std::string ListPrinter::SizeText(bool fixed, std::int64_t n, std::size_t width, const OptionFlags& options) const {
    std::string text;
    if (options.KB)
        text = FormatKB(n);
    else if (n == 0)
        text = "0";
    else if (settings_.FormatSDV)
        text = std::to_string(n);
    else
        AppendThousands(text, n, locale_.Formats().thousandsSeparator);
    if (fixed) PadLeft(text, width);
    return text;
}

namespace {

// The name without any occurrence of its extension, ignoring case.
std::string BaseName(std::string_view name, std::string_view extension) {
    if (extension.empty()) return std::string(name);
    const std::string upperName = utf8::ToUpper(name);
    const std::string upperExt = utf8::ToUpper(extension);
    if (upperName.size() != name.size() || upperExt.size() != extension.size()) {
        return std::string(name.substr(0, name.size() - extension.size()));  // case mapping changed the lengths
    }
    std::string base;
    for (std::size_t i = 0; i < name.size();) {
        if (upperName.compare(i, upperExt.size(), upperExt) == 0)
            i += upperExt.size();
        else
            base.push_back(name[i++]);
    }
    return base;
}

}  // namespace

void ListPrinter::WriteEntry(Block& block, TFileItem& entry, std::size_t position) {
    const OptionFlags& options = block.options;
    const bool html = settings_.rbHTML;
    const bool fixed = settings_.FixedColumns;
    const std::size_t maxLength = static_cast<std::size_t>(settings_.MaxLength);
    const bool fitNames = fixed && !(options.IgnoreMaxColumnSize && options.TreeViewMode);

    // The name as found (entry.Name) reaches the file system; the name shown is cased, 8.3 and
    // fitted. Both working texts are kept between entries so their memory is reused.
    std::string& cased = casedName_;
    if (options.LowerCase)
        cased = utf8::ToLower(entry.Name);
    else if (options.UpperCase)
        cased = utf8::ToUpper(entry.Name);
    else
        cased.assign(entry.Name);
    utf8::ReplaceControls(cased);
    const std::string_view extension = ExtensionOf(cased);

    const bool shortNamesShown = !block.fromCatalog && options.ShortFNames;
    std::string shortName;
    if ((shortNamesShown || HasToken(Token::NDOS)) && !block.memberList() && !block.fromCatalog) {
        shortName = shortNames_.ShortName(block.dir, entry.Name);
        if (options.LowerCase)
            shortName = utf8::ToLower(shortName);
        else if (options.UpperCase)
            shortName = utf8::ToUpper(shortName);
        utf8::ReplaceControls(shortName);
    }
    std::string& shown = shownName_;
    shown.clear();
    if (shortNamesShown) {
        std::string padded = shortName;
        const std::size_t count = utf8::CharCount(padded);
        if (count < 12) padded.append(12 - count, ' ');  // filled, never cut
        if (fitNames)
            AppendFitted(shown, padded, maxLength);
        else
            shown = std::move(padded);
    } else if (fitNames) {
        AppendFitted(shown, cased, maxLength);
    } else {
        shown.assign(cased);
    }

    // Disk usage: the size rounded up to whole clusters, summed for the folder summary.
    std::int64_t allocated = 0;
    if (!block.fromCatalog) {
        const std::int64_t cluster = state_.ClusterSize;
        allocated = entry.Size;
        if (cluster > 0 && entry.Size > 0 && entry.Size % cluster != 0) {
            allocated = entry.Size > INT64_MAX - cluster ? INT64_MAX : (entry.Size / cluster + 1) * cluster;
        }
        block.folderDiskUsage += allocated;
    }

    if (options.TreeViewMode) {
        std::string line;
        for (int i = 0; i < state_.Level; ++i)
            line += "|  ";
        if (state_.Level > 0) line += block.memberList() ? "|  " : "|-- ";
        if (html)
            utf8::AppendHtmlEscaped(line, shown);
        else
            line += shown;
        document_.AddNormalText(line);
    } else {
        bool commentDone = false;
        std::string comment;
        auto getComment = [&]() -> const std::string& {
            if (!commentDone) {
                comment = Comment(block, entry, block.dir + entry.Name);
                if (fixed) comment = FitToWidth(comment, static_cast<std::size_t>(settings_.MaxLengthComment));
                commentDone = true;
            }
            return comment;
        };
        const MetadataRecords& md = state_.Metadata;
        const std::string_view qualifier = settings_.TextQualifier;
        const bool quoted = settings_.rbSDV && !qualifier.empty();

        // Each token's value is made once, when the line first needs it.
        std::uint64_t made = 0;
        bool valuesHoldPercent = false;
        auto valueOf = [&](std::size_t t) -> const std::string& {
            std::string& value = values_[t];
            if (made & (std::uint64_t{1} << t)) return value;
            made |= std::uint64_t{1} << t;
            value.clear();
            auto fileText = [&](std::string_view text) {
                if (html) {
                    utf8::AppendHtmlEscaped(value, text);
                } else if (quoted) {
                    for (std::size_t at = 0;;) {  // the qualifier inside a value is written twice
                        const std::size_t next = text.find(qualifier, at);
                        value.append(text.substr(at, next - at));
                        if (next == std::string_view::npos) break;
                        value.append(qualifier).append(qualifier);
                        at = next + qualifier.size();
                    }
                } else {
                    value.assign(text);
                }
            };
            switch (static_cast<Token>(t)) {
                case Token::NAME:
                    fileText(shown);
                    break;
                case Token::SIZE:
                    value = SizeText(fixed, entry.Size, block.sizeWidth, options);
                    break;
                case Token::DUSG:
                    if (!block.fromCatalog) value = SizeText(fixed, allocated, block.usageWidth, options);
                    break;
                case Token::DATE:
                    value.append(entry.Date).append(" ").append(entry.Time);
                    if (fixed) PadLeft(value, block.dateColumnWidth);
                    break;
                case Token::TIME:
                    break;
                case Token::ATTR:
                    if (settings_.IncludeAttr) value = ConvertAttr(entry.Attr);
                    break;
                case Token::NUMB: {
                    std::int64_t number = static_cast<std::int64_t>(position);
                    if (!options.ResetCounter)
                        number += state_.FileCount - static_cast<std::int64_t>(block.entries.size());
                    char text[32];
                    std::snprintf(text, sizeof text, "%.*lld", settings_.NumDigits, static_cast<long long>(number));
                    value = text;
                    break;
                }
                case Token::FNAM: {
                    std::string base = shortNamesShown ? std::string() : BaseName(cased, extension);
                    if (fitNames) base = FitToWidth(base, maxLength);
                    fileText(base);
                    break;
                }
                case Token::NDOS:
                    fileText(FitToWidth(shortName, 12));
                    break;
                case Token::CTIM:
                    value = entry.Created;
                    break;
                case Token::ATIM:
                    value = entry.Accessed;
                    break;
                case Token::FEXT:
                    fileText(extension);
                    break;
                case Token::PATH: {
                    std::string path = block.dir.substr(0, block.dir.find_last_of("/\\") + 1);
                    utf8::ReplaceControls(path);
                    fileText(path);
                    break;
                }
                case Token::COMM:
                    fileText(getComment());
                    break;
                case Token::IPTC_DAT: {
                    getComment();  // the metadata tokens show what the comment's reader found
                    LocalDateTime day;
                    day.date = md.iptc.DateCreated;
                    day.weekday = WeekdayOf(day.date);
                    value = locale_.ShortDate(day);
                    break;
                }
                default:
                    getComment();
                    fileText(MetadataText(static_cast<Token>(t), md));
                    break;
            }
            if (value.find('%') != std::string::npos) valuesHoldPercent = true;
            return value;
        };

        // A pattern whose values hold no "%" is filled in one pass; otherwise tokens are replaced
        // one after another over the whole line, so a token that a value brings in is replaced too.
        line_.clear();
        if (singlePass_) {
            for (const PatternPiece& piece : pieces_) {
                if (piece.token < 0)
                    line_ += piece.literal;
                else
                    line_ += valueOf(static_cast<std::size_t>(piece.token));
            }
        }
        if (!singlePass_ || valuesHoldPercent) {
            line_ = pattern_;
            bool anyToken = false;  // set once a replacement may have made tokens the pattern lacks
            for (std::size_t t = 0; t < kTokenCount; ++t) {
                if (!anyToken && (patternTokens_ & (std::uint64_t{1} << t)) == 0) continue;
                if (line_.find('%') == std::string::npos) break;
                if (!ContainsToken(line_, kTokenTexts[t])) continue;
                if (ReplaceToken(line_, kTokenTexts[t], valueOf(t), scratch_)) anyToken = true;
            }
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

std::string_view ListPrinter::MetadataText(Token token, const MetadataRecords& md) {
    switch (token) {
        case Token::FILE_VER:
            return md.version.ProductVersion;
        case Token::FILE_NAM:
            return md.version.ProductName;
        case Token::FILE_COM:
            return md.version.CompanyName;
        case Token::MP3_TIT:
            return md.id3.Title;
        case Token::MP3_ART:
            return md.id3.Artist;
        case Token::MP3_ALB:
            return md.id3.Album;
        case Token::MP3_YER:
            return md.id3.Year;
        case Token::MP3_COM:
            return md.id3.Comment;
        case Token::MP3_GEN:
            return md.id3.Genre;
        case Token::MP3_TRK:
            return md.id3.Track;
        case Token::IPTC_CAP:
            return md.iptc.Caption;
        case Token::IPTC_HDL:
            return md.iptc.Headline;
        case Token::IPTC_BYL:
            return md.iptc.ByLine;
        case Token::IPTC_CRE:
            return md.iptc.Credit;
        case Token::IPTC_OBJ:
            return md.iptc.ObjectName;
        case Token::IPTC_CIT:
            return md.iptc.City;
        case Token::IPTC_STA:
            return md.iptc.State;
        case Token::IPTC_COU:
            return md.iptc.Country;
        case Token::IPTC_COP:
            return md.iptc.CopyrightNotice;
        default:
            return {};
    }
}

void ListPrinter::WriteClosing(Block& block) {
    const OptionFlags& options = block.options;
    const bool html = settings_.rbHTML;
    const std::string& sep = locale_.Formats().thousandsSeparator;
    if (block.memberList() && !options.TreeViewMode) document_.AddNormalText("");
    if (options.TreeViewMode) {
        std::string bars;
        for (int i = 0; i < state_.Level; ++i)
            bars += "|  ";
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
