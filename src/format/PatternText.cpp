#include "format/PatternText.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "format/Tokens.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + from.size())) {
        out.append(text, copied, at - copied);
        out.append(to);
        copied = at + from.size();
    }
    if (copied == 0) return;
    out.append(text, copied, std::string::npos);
    text.swap(out);
}

void EraseAll(std::string& text, std::string_view what) {
    ReplaceAll(text, what, {});
}

void EraseChars(std::string& text, std::string_view chars) {
    std::erase_if(text, [chars](char c) { return chars.find(c) != std::string_view::npos; });
}

// True when s is exactly one character: only such a separator is trimmed next to a field.
bool IsOneChar(std::string_view s) {
    return !s.empty() && utf8::CharLength(s, 0) == s.size();
}

std::string Wrapped(std::string_view before, std::string_view token, std::string_view after) {
    std::string cell(before);
    cell += token;
    cell += after;
    return cell;
}

constexpr std::string_view kRightCell = "<td align=\"right\">";

// The tokens wrapped in plain cells after the fixed first seven, in the conversion's order.
constexpr std::array<Token, 27> kPlainCellOrder{
    Token::FNAM,     Token::FEXT,     Token::PATH,     Token::COMM,     Token::NDOS,     Token::ATIM,
    Token::CTIM,     Token::MP3_TIT,  Token::MP3_ART,  Token::MP3_ALB,  Token::MP3_YER,  Token::MP3_COM,
    Token::MP3_GEN,  Token::MP3_TRK,  Token::IPTC_CAP, Token::IPTC_HDL, Token::IPTC_BYL, Token::IPTC_CRE,
    Token::IPTC_OBJ, Token::IPTC_DAT, Token::IPTC_CIT, Token::IPTC_STA, Token::IPTC_COU, Token::IPTC_COP,
    Token::FILE_VER, Token::FILE_NAM, Token::FILE_COM,
};

// The order in which the preview replaces the tokens.
constexpr std::array<Token, kTokenCount> kPreviewOrder{
    Token::NAME,     Token::SIZE,     Token::DATE,     Token::TIME,     Token::ATIM,     Token::CTIM,
    Token::ATTR,     Token::NUMB,     Token::FNAM,     Token::FEXT,     Token::PATH,     Token::COMM,
    Token::DUSG,     Token::NDOS,     Token::MP3_TIT,  Token::MP3_ART,  Token::MP3_ALB,  Token::MP3_YER,
    Token::MP3_COM,  Token::MP3_GEN,  Token::MP3_TRK,  Token::IPTC_CAP, Token::IPTC_HDL, Token::IPTC_BYL,
    Token::IPTC_CRE, Token::IPTC_OBJ, Token::IPTC_DAT, Token::IPTC_CIT, Token::IPTC_STA, Token::IPTC_COU,
    Token::IPTC_COP, Token::FILE_VER, Token::FILE_NAM, Token::FILE_COM,
};

std::string NumberSample(int numDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.*d", std::clamp(numDigits, 1, 9), 1);
    return buffer;
}

std::string_view Sample(Token token, bool sizesAsKB, bool lowerCase) {
    switch (token) {
        case Token::NAME:
            return lowerCase ? "long filename.ext" : "LONG FILENAME.EXT";
        case Token::FNAM:
            return lowerCase ? "long filename" : "LONG FILENAME";
        case Token::FEXT:
            return lowerCase ? "ext" : "EXT";
        case Token::NDOS:
            return lowerCase ? "shortf~1.ext" : "SHORTF~1.EXT";
        case Token::PATH:
            return "folder/subfolder/";
        case Token::SIZE:
            return sizesAsKB ? "10 KB" : "10 800";
        case Token::DUSG:
            return sizesAsKB ? "12 KB" : "12 288";
        case Token::ATTR:
            return "A";
        case Token::FILE_VER:
            return "3.2";
        case Token::FILE_NAM:
            return "Tabulo Pro";
        case Token::FILE_COM:
            return "Quenbright Software";
        case Token::NUMB:
            return {};  // made by NumberSample
        case Token::COMM:
            return "comment";
        case Token::DATE:
            return "30.06.2003";
        case Token::TIME:
            return "12:00:00";
        case Token::CTIM:
            return "01.06.2001 01:02:03";
        case Token::ATIM:
            return "30.12.2003 12:00:00";
        case Token::IPTC_CAP:
            return "Image caption";
        case Token::IPTC_HDL:
            return "Image headline";
        case Token::IPTC_BYL:
            return "Photographer Name";
        case Token::IPTC_CRE:
            return "Credits";
        case Token::IPTC_OBJ:
            return "Object";
        case Token::IPTC_DAT:
            return "01.01.2000";
        case Token::IPTC_CIT:
            return "Stavanger";
        case Token::IPTC_STA:
            return "NA";
        case Token::IPTC_COU:
            return "Norway";
        case Token::IPTC_COP:
            return "(c) Quenbright Software";
        case Token::MP3_TIT:
            return "Title";
        case Token::MP3_ART:
            return "Artist";
        case Token::MP3_ALB:
            return "Album";
        case Token::MP3_YER:
            return "2001";
        case Token::MP3_COM:
            return "MP3-Comment";
        case Token::MP3_TRK:
            return "1";
        case Token::MP3_GEN:
            return "Genre";
    }
    return {};
}

}  // namespace

std::string SeparatorOf(int separatorIndex, std::string_view otherText) {
    switch (separatorIndex) {
        case kSeparatorSemicolon:
            return ";";
        case kSeparatorComma:
            return ",";
        case kSeparatorSpace:
            return " ";
        case kSeparatorOther:
            return std::string(otherText);
        default:
            return {};
    }
}

std::string ToggleTokenText(std::string p, std::string_view token, bool ticked, PatternFormat format,
                            std::string_view separator, std::string_view qualifier) {
    const bool qualified = qualifier != kNoQualifier;
    if (ticked) {
        // Trailing blanks go, then a trailing separator, so the new field follows the last one.
        while (!p.empty() && p.back() == ' ')
            p.pop_back();
        if (IsOneChar(separator)) {
            while (p.ends_with(separator))
                p.erase(p.size() - separator.size());
        }
        switch (format) {
            case PatternFormat::HTML:
                EraseAll(p, "</tr>");
                p += Wrapped("<td>", token, "</td></tr>");
                break;
            case PatternFormat::Delimited:
                p += separator;
                p += qualified ? Wrapped(qualifier, token, qualifier) : std::string(token);
                break;
            default:
                p += Wrapped(" ", token, "");
                break;
        }
        return p;
    }

    const std::size_t at = p.find(token);
    if (at == std::string::npos) return p;
    switch (format) {
        case PatternFormat::HTML: {
            const std::string cell = Wrapped("<td>", token, "</td>");
            const std::size_t cellAt = p.find(cell);
            if (cellAt != std::string::npos)
                p.erase(cellAt, cell.size());
            else
                p.erase(at, token.size());
            break;
        }
        case PatternFormat::Delimited: {
            std::size_t from = at;
            if (qualified) {
                from = p.find(Wrapped(qualifier, token, ""));
                if (from == std::string::npos) return p;
                p.erase(from, qualifier.size() * 2 + token.size());
            } else {
                p.erase(at, token.size());
            }
            // The separator that followed the field goes with it; one before it stays.
            if (IsOneChar(separator)) {
                while (p.compare(from, separator.size(), separator) == 0)
                    p.erase(from, separator.size());
            }
            break;
        }
        default:
            p.erase(at, token.size());
            while (at < p.size() && p[at] == ' ')
                p.erase(at, 1);
            break;
    }
    return p;
}

std::string RemoveHTML(std::string p) {
    for (std::string_view markup : {std::string_view("<tr>"), std::string_view("</tr>"), kRightCell,
                                    std::string_view("<td>"), std::string_view("&nbsp;")}) {
        EraseAll(p, markup);
    }
    ReplaceAll(p, "</td>", " ");
    return p;
}

std::string ConvertToNormal(std::string p, int currentFormat) {
    if (currentFormat == kFormatDelimited) {
        // A semicolon becomes a blank; commas and quotes simply go.
        ReplaceAll(p, ";", " ");
        EraseChars(p, "\"',");
    } else if (currentFormat == kFormatHTML) {
        p = RemoveHTML(std::move(p));
    }
    return p;
}

std::string ConvertToHTML(std::string p, int currentFormat, std::string_view separator) {
    if (currentFormat == kFormatHTML) return p;
    if (currentFormat == kFormatDelimited) {
        ReplaceAll(p, separator, " ");
        EraseChars(p, "\"'");
    }
    p = "<tr>" + p + "</tr>";
    EraseChars(p, " ");
    for (Token t : {Token::NAME, Token::SIZE, Token::DUSG, Token::DATE, Token::TIME, Token::ATTR}) {
        const std::string_view token = TokenText(t);
        const bool right = t == Token::SIZE || t == Token::DUSG;
        ReplaceAll(p, token, right ? Wrapped(kRightCell, token, "&nbsp;&nbsp;</td>") : Wrapped("<td>", token, "</td>"));
    }
    // The point after a number goes into its cell.
    if (p.find("%NUMB.") != std::string::npos)
        ReplaceAll(p, "%NUMB.", "<td>%NUMB.</td>");
    else
        ReplaceAll(p, "%NUMB", "<td>%NUMB</td>");
    for (Token t : kPlainCellOrder)
        ReplaceAll(p, TokenText(t), Wrapped("<td>", TokenText(t), "</td>"));
    return p;
}

std::string ConvertToDelimited(std::string p, int currentFormat, std::string_view separator, std::string_view qualifier,
                               JointMemory& last) {
    const std::string q = qualifier == kNoQualifier ? std::string() : std::string(qualifier);
    const std::string joint = q + std::string(separator) + q;
    if (currentFormat != kFormatDelimited) p = q + p + q;
    if (currentFormat == kFormatHTML) p = RemoveHTML(std::move(p));

    if (currentFormat == kFormatDelimited) {
        // An empty joint would run the fields together for good: the text keeps its joints.
        if (joint.empty()) return p;
        if (!last.joint.empty()) {
            ReplaceAll(p, last.joint, joint);
            // The qualifiers at the two ends follow a changed qualifier, as the joints do.
            const std::string& old = last.qualifier;
            if (old != q && p.size() >= old.size() * 2 && p.starts_with(old) && p.ends_with(old)) {
                p = q + p.substr(old.size(), p.size() - old.size() * 2) + q;
            }
        }
    } else if (joint.empty()) {
        // Without a separator the blanks stay the joints, for the next separator to replace.
        last = {" ", q};
        return p;
    } else {
        ReplaceAll(p, " ", joint);
    }
    last = {joint, q};
    return p;
}

DetectedFormat DetectFormat(std::string_view p, std::string_view qualifier) {
    if (p.find("<td>") != std::string_view::npos || p.find("<tr>") != std::string_view::npos) {
        return {PatternFormat::HTML, kSeparatorNone};
    }
    if (p.find(';') != std::string_view::npos) return {PatternFormat::Delimited, kSeparatorSemicolon};
    if (p.find(',') != std::string_view::npos) return {PatternFormat::Delimited, kSeparatorComma};
    if (!p.empty() && !qualifier.empty() &&
        p.substr(0, utf8::CharLength(p, 0)) == qualifier.substr(0, utf8::CharLength(qualifier, 0))) {
        return {PatternFormat::Delimited, kSeparatorOther};
    }
    return {PatternFormat::Normal, kSeparatorNone};
}

std::string PreviewLine(std::string_view pattern, bool sizesAsKB, bool lowerCase, int numDigits) {
    std::string line(pattern);
    std::string scratch;
    for (Token t : kPreviewOrder) {
        const std::string number = t == Token::NUMB ? NumberSample(numDigits) : std::string();
        ReplaceToken(line, TokenText(t), t == Token::NUMB ? std::string_view(number) : Sample(t, sizesAsKB, lowerCase),
                     scratch);
    }
    return line;
}

}  // namespace tabulo
