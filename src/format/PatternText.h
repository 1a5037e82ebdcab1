#pragma once

#include <string>
#include <string_view>

namespace tabulo {

// The rewrites of a pattern text that the Advanced window makes: a field put in or taken out,
// the conversions between the three output formats, the format a typed pattern suggests, and the
// preview line. Every search here is case-sensitive and every replacement replaces all
// occurrences, unless a function says otherwise.

// `currentFormat`: the format the pattern text was last converted to.
inline constexpr int kFormatNone = 0;
inline constexpr int kFormatHTML = 1;
inline constexpr int kFormatDelimited = 2;
inline constexpr int kFormatNormal = 3;

// The qualifier text that means "no qualifier".
inline constexpr std::string_view kNoQualifier = "<none>";

// The four format radio buttons ("Table" is never shown); None when no button is checked.
enum class PatternFormat { None, Normal, HTML, Delimited, Table };

// The separator items: "Semicolon", "Comma", "Space", "Other:"; -1 is no item.
inline constexpr int kSeparatorNone = -1;
inline constexpr int kSeparatorSemicolon = 0;
inline constexpr int kSeparatorComma = 1;
inline constexpr int kSeparatorSpace = 2;
inline constexpr int kSeparatorOther = 3;

// The separator of an item; "Other:" gives `otherText`, no item the empty text.
std::string SeparatorOf(int separatorIndex, std::string_view otherText);

// Inserts (ticked) or removes the first occurrence of a token, by the rules of the selected
// format (`format`; None and Table count as Normal). `separator` is the current separator,
// `qualifier` the qualifier box's text.
std::string ToggleTokenText(std::string pattern, std::string_view token, bool ticked, PatternFormat format,
                            std::string_view separator, std::string_view qualifier);

// Takes the table markup out: "<tr>", "</tr>", right-aligned and plain cell starts and "&nbsp;"
// go, each "</td>" becomes one blank. Other markup stays.
std::string RemoveHTML(std::string pattern);

// The pattern converted to plain lines from the format it was last converted to.
std::string ConvertToNormal(std::string pattern, int currentFormat);

// The pattern converted to one table row with a cell per field; unchanged when it already was
// HTML. `separator` is taken out first when the pattern was a delimited list.
std::string ConvertToHTML(std::string pattern, int currentFormat, std::string_view separator);

// The joint last written between fields by the delimited conversion, and the qualifier it was
// written with ("" for none), so the next conversion can find and requalify it.
struct JointMemory {
    std::string joint;
    std::string qualifier;
};

// The pattern converted to a delimited list: fields joined by qualifier + separator + qualifier
// and wrapped in the qualifier. From a delimited list only the joints (and the qualifiers at the
// two ends) are replaced. An empty joint never replaces anything, so fields are never run
// together. `last` is read and updated.
std::string ConvertToDelimited(std::string pattern, int currentFormat, std::string_view separator,
                               std::string_view qualifier, JointMemory& last);

// The format a typed pattern suggests: HTML for table markup, a delimited list with Semicolon,
// Comma or Other: for a ";", a "," or a first character equal to the qualifier's first, else
// Normal. The separator item is kSeparatorNone when detection leaves it alone.
struct DetectedFormat {
    PatternFormat format = PatternFormat::Normal;
    int separatorIndex = kSeparatorNone;
};
DetectedFormat DetectFormat(std::string_view pattern, std::string_view qualifier);

// The pattern with each token (ignoring case) replaced by its fixed sample value: sizes as KB or
// in bytes, names in lower or upper case, the number 1 with `numDigits` digits.
std::string PreviewLine(std::string_view pattern, bool sizesAsKB, bool lowerCase, int numDigits);

}  // namespace tabulo
