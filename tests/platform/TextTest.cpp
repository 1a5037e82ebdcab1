#include <gtest/gtest.h>

#include "platform/DateTime.h"
#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {
namespace {

TEST(Utf8, CountsCharactersAndKeepsInvalidBytes) {
    struct Row {
        const char* name;
        std::string text;
        std::size_t chars;
        std::string firstTwo;
    };
    const Row rows[] = {
        {"ascii", "abc", 3, "ab"},
        {"two-byte letters", "\xC3\xBC\xC3\xA4x", 3, "\xC3\xBC\xC3\xA4"},
        {"four-byte emoji", "\xF0\x9F\x98\x80z", 2, "\xF0\x9F\x98\x80z"},
        {"invalid byte is one character",
         "\xFF"
         "a",
         2,
         "\xFF"
         "a"},
        {"truncated sequence", "\xE2\x82", 2, "\xE2\x82"},
        {"surrogate encoded is invalid", "\xED\xA0\x80", 3, "\xED\xA0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.chars, utf8::CharCount(row.text));
        EXPECT_EQ(row.firstTwo, std::string(utf8::FirstChars(row.text, 2)));
    }
}

TEST(Utf8, CaseMappingIsUnicodeAwareAndKeepsBadBytes) {
    EXPECT_EQ(
        "\xC3\x9C"
        "BER.TXT",
        utf8::ToUpper("\xC3\xBC"
                      "ber.txt"));
    EXPECT_EQ("STRASSE", utf8::ToUpper("stra\xC3\x9F"
                                       "e"));
    EXPECT_EQ(
        "a\xFF"
        "b",
        utf8::ToLower("A\xFF"
                      "B"));
    EXPECT_TRUE(utf8::EqualIgnoreCase(".Txt", ".TXT"));
    EXPECT_FALSE(utf8::EqualIgnoreCase(".txt", ".tx"));
}

TEST(Utf8, OtherEncodings) {
    EXPECT_EQ("A\xE2\x80\x9Ex\xC2\xA0\xC3\xBF", utf8::FromWindows1252("A\x84x\xA0\xFF"));
    // The five bytes the code page leaves undefined.
    EXPECT_EQ("\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
              utf8::FromWindows1252("\x81\x8D\x8F\x90\x9D"));
    EXPECT_EQ("A\xC3\xA9\xF0\x9F\x98\x80", utf8::FromUtf16Le(std::string("A\0\xE9\0\x3D\xD8\x00\xDE", 8)));
    EXPECT_EQ(
        "\xEF\xBF\xBD"
        "B",
        utf8::FromUtf16Le(std::string("\x3D\xD8"
                                      "B\0"
                                      "C",
                                      5)));  // lone surrogate, odd byte
    EXPECT_TRUE(utf8::IsValid("plain \xC3\xA9"));
    EXPECT_FALSE(utf8::IsValid("caf\xE9"));
}

TEST(Utf8, ControlsAndHtml) {
    std::string name = "a\nb\rc\td";
    utf8::ReplaceControls(name);
    EXPECT_EQ("a?b?c?d", name);
    EXPECT_EQ("a&amp;b &lt;i&gt; &quot;q&quot;", utf8::HtmlEscape("a&b <i> \"q\""));
}

TEST(DateTimeFormat, WindowsPatternLetters) {
    LocalDateTime v;
    v.date = {2003, 6, 5};
    v.hour = 9;
    v.minute = 7;
    v.second = 3;
    v.weekday = WeekdayOf(v.date);
    const DateNames names;
    struct Row {
        const char* pattern;
        const char* expected;
    };
    const Row rows[] = {
        {"dd.MM.yyyy", "05.06.2003"}, {"d/M/yy", "5/6/03"},     {"dddd d MMMM yyyy", "Thursday 5 June 2003"},
        {"ddd, MMM d", "Thu, Jun 5"}, {"HH:mm:ss", "09:07:03"}, {"h:mm tt", "9:07 AM"},
        {"H 'h' m", "9 h 7"},         {"''yy''", "'03'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(row.expected, FormatDateTime(row.pattern, v, names));
    }
    v.hour = 0;
    EXPECT_EQ("12 AM", FormatDateTime("h tt", v, names));
    v.hour = 13;
    EXPECT_EQ("1 PM 13", FormatDateTime("h tt H", v, names));
}

TEST(DateTimeParse, ReadsDatesInTheFormatsOrder) {
    struct Row {
        const char* text;
        const char* format;
        CivilDate expected;
    };
    const Row rows[] = {
        {"24.12.2003", "dd.MM.yyyy", {2003, 12, 24}},
        {"12/24/2003", "M/d/yyyy", {2003, 12, 24}},
        {"2003-12-24", "yyyy-MM-dd", {2003, 12, 24}},
        {" 1.2.2006 ", "d.M.yyyy", {2006, 2, 1}},
        {"24.12.03", "dd.MM.yy", {2003, 12, 24}},
        {"24.12.46", "dd.MM.yy", {1946, 12, 24}},  // the window starts 80 years before 2026
        {"24.12.45", "dd.MM.yy", {2045, 12, 24}},
        {"24.12", "dd.MM.yyyy", {2026, 12, 24}},  // without a year: the current one
        {"29.02.2004", "dd.MM.yyyy", {2004, 2, 29}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.expected, ParseDate(row.text, row.format, 2026));
    }
}

TEST(DateTimeParse, RejectsTextsThatAreNoDate) {
    for (const char* text : {"13.13.2003", "29.02.2003", "01.02.2006 10:00", "Mon 01.02.2006", "", "1.2.3.4", "x"}) {
        SCOPED_TRACE(text);
        try {
            ParseDate(text, "dd.MM.yyyy", 2026);
            ADD_FAILURE() << "no error";
        } catch (const TabuloError& e) {
            EXPECT_EQ("'" + std::string(text) + "' is not a valid date", e.what());
        }
    }
}

}  // namespace
}  // namespace tabulo
