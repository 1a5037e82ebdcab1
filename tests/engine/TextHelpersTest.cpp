#include <gtest/gtest.h>

#include "document/Document.h"
#include "engine/FilterMasks.h"
#include "engine/NumberFormat.h"
#include "support/Fakes.h"

namespace tabulo {
namespace {

TEST(AppendText, CutsAtEveryKindOfLineBreak) {
    struct Row {
        const char* name;
        std::string text;
        std::vector<std::string> paragraphs;
    };
    const Row rows[] = {
        {"empty text gives one empty paragraph", "", {""}},
        {"CR LF, then a lone CR at the end", "one\r\ntwo\r", {"one", "two", ""}},
        {"LF alone and CR alone", "a\nb\rc", {"a", "b", "c"}},
        {"LF CR is one break", "a\n\rb", {"a", "b"}},
        {"header between two CRs", "\rDirectory of x\r", {"", "Directory of x", ""}},
        {"two breaks in a row", "a\r\n\r\nb", {"a", "", "b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Document document;
        document.AddBoldText(row.text);
        EXPECT_EQ(row.paragraphs, test::Lines(document));
        for (const Paragraph& p : document.Paragraphs()) {
            EXPECT_EQ(kBoldText, p.runs.at(0).style);
            EXPECT_EQ(0, p.paragraphStyle);
        }
    }
}

TEST(NumberFormat, ThousandsKilobytesAndColumns) {
    EXPECT_EQ("", FormatThousands(0, "."));
    EXPECT_EQ("999", FormatThousands(999, "."));
    EXPECT_EQ("1.234.567", FormatThousands(1234567, "."));
    EXPECT_EQ("-1,000", FormatThousands(-1000, ","));
    EXPECT_EQ(
        "5\xE2\x80\xAF"
        "000",
        FormatThousands(5000, "\xE2\x80\xAF"));
    EXPECT_EQ("9.223.372.036.854.775.807", FormatThousands(INT64_MAX, "."));
    EXPECT_EQ("-9<sep>223<sep>372<sep>036<sep>854<sep>775<sep>808", FormatThousands(INT64_MIN, "<sep>"));
    EXPECT_EQ("1-sep-is-long-234", FormatThousands(1234, "-sep-is-long-"));

    struct Kb {
        std::int64_t bytes;
        std::int64_t kb;
        const char* text;
    };
    for (const Kb& row : {Kb{0, 0, "0 KB"}, Kb{1, 1, "1 KB"}, Kb{1023, 1, "1 KB"}, Kb{2047, 1, "1 KB"},
                          Kb{2048, 2, "2 KB"}, Kb{-5, 1, "1 KB"}, Kb{5000000000, 4882812, "4882812 KB"}}) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(row.kb, KBValue(row.bytes));
        EXPECT_EQ(row.text, FormatKB(row.bytes));
    }

    EXPECT_EQ("abcdef..", FitToWidth("abcdefghijklmn", 8));
    EXPECT_EQ("abcdef  ", FitToWidth("abcdef", 8));
    EXPECT_EQ("abcdefgh", FitToWidth("abcdefgh", 8));
    EXPECT_EQ("abcdef..", FitToWidth(std::string(300, 'a').replace(0, 6, "abcdef"), 8));
    // Widths count characters: six umlauts are six characters, cut between characters.
    EXPECT_EQ("\xC3\xBC\xC3\xBC\xC3\xBC..", FitToWidth("\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC", 5));
    EXPECT_EQ("\xC3\xBC  ", FitToWidth("\xC3\xBC", 3));
}

TEST(FilterMasks, SplitsTheFilterText) {
    struct Row {
        const char* name;
        std::string filter;
        std::vector<std::string> masks;
    };
    const Row rows[] = {
        {"default", "*.*", {"*.*"}},
        {"six masks of the executable item",
         "*.exe;*.com;*.bat;*.cmd;*.pif;*.dll",
         {"*.EXE", "*.COM", "*.BAT", "*.CMD", "*.PIF", "*.DLL"}},
        {"blanks stay part of a mask", "*.txt; *.doc", {"*.TXT", " *.DOC"}},
        {"a final semicolon adds nothing", "*.txt;", {"*.TXT"}},
        {"empty filter gives no masks", "", {}},
        {"text beyond 99 characters after a semicolon is lost",
         "*.a;" + std::string(97, 'x') + ";*.b;*.c",
         {"*.A", std::string(97, 'X'), "*"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.masks, GetUserExtension(row.filter));
    }
}

TEST(FilterMasks, MatchesLikeTheOriginalPlatform) {
    struct Row {
        const char* mask;
        const char* name;
        bool matches;
    };
    const Row rows[] = {
        {"*.*", "README", true},
        {"*.*", "archive.tar.gz", true},
        {"*", ".hidden", true},
        {"*.TXT", "notes.txt", true},
        {"*.txt", "NOTES.TXT", true},
        {"*.txt", "notes.txt.bak", false},
        {"a?c.*", "abc.doc", true},
        {"a?c.*", "ac.doc", false},
        {"a?c",
         "a\xC3\xBC"
         "c",
         true},
        {"readme.*", "readme", true},
        {"*.mp3", "song.mp3x", false},
        {"*a*b*", "xxaxxbxx", true},
        {"", "anything", false},
        {"\xC3\x9C*",
         "\xC3\xBC"
         "ber",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " ~ " + row.name);
        EXPECT_EQ(row.matches, FileMask(row.mask).Matches(row.name));
    }
}

}  // namespace
}  // namespace tabulo
