#include "catalog/CatalogFields.h"

#include <gtest/gtest.h>

#include "catalog/CatalogFile.h"
#include "platform/TabuloError.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

struct FieldsCase {
    const char* name;
    std::string_view line;
    CatalogFields expected;
};

TEST(ExtractFields, SplitsPathSizeDateAndDescription) {
    const FieldsCase cases[] = {
        {"all four parts, one of two leading '>' dropped",
         "C:\\Docs\\a.txt/120/01.02.2006 10:00>>first file",
         {"C:\\Docs\\a.txt", "120", "01.02.2006 10:00", "first file"}},
        {"one '>' only separates", "C:\\a/1/d>note", {"C:\\a", "1", "d", "note"}},
        {"no '>' after the size: no description", "C:\\a/1/d", {"C:\\a", "1", "d", ""}},
        {"one '/': no date", "C:\\a/1", {"C:\\a", "1", "", ""}},
        {"no '/': a path alone", "C:\\a", {"C:\\a", "", "", ""}},
        {"empty line", "", {"", "", "", ""}},
        {"'>' and '/' before the size belong to the path", "C:\\x>y/5/d", {"C:\\x>y", "5", "d", ""}},
        {"'/' and '>' in the description stay", "p/1/d>a/b>c", {"p", "1", "d", "a/b>c"}},
        {"blanks are not trimmed", " p / 1 / d > c", {" p ", " 1 ", " d ", " c"}},
        {"empty description after '>>'", "p/1/d>>", {"p", "1", "d", ""}},
    };
    for (const FieldsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CatalogFields f = ExtractFields(c.line);
        EXPECT_EQ(c.expected.path, f.path);
        EXPECT_EQ(c.expected.size, f.size);
        EXPECT_EQ(c.expected.date, f.date);
        EXPECT_EQ(c.expected.description, f.description);
    }
}

TEST(ParseCatalogSize, ReadsWholeNumbersIn64Bits) {
    const struct {
        std::string_view text;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {"0", 0},
        {"120", 120},
        {"2147483647", 2147483647},
        {"3221225472", 3221225472},
        {"9223372036854775807", INT64_MAX},
        {"-5", -5},
        {"+5", 5},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"1,024", std::nullopt},
        {"+-5", std::nullopt},
        {"-", std::nullopt},
        {"9223372036854775808", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(c.expected, ParseCatalogSize(c.text));
    }
}

TEST(CatalogPath, FolderAndName) {
    const struct {
        std::string_view path, folder, name;
    } cases[] = {
        {"C:\\Docs\\a.txt", "C:\\Docs", "a.txt"},
        {"C:\\a.txt", "C:\\", "a.txt"},
        {"\\a.txt", "\\", "a.txt"},
        {"\\\\srv\\share\\a.txt", "\\\\srv\\share", "a.txt"},
        {"a.txt", "", "a.txt"},
        {"C:\\Docs\\", "C:\\Docs", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        EXPECT_EQ(c.folder, CatalogFolderOf(c.path));
        EXPECT_EQ(c.name, CatalogNameOf(c.path));
    }
}

std::vector<std::string> LinesOf(const CatalogFile& file) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < file.LineCount(); ++i)
        lines.emplace_back(file.Line(i));
    return lines;
}

TEST(CatalogFile, SplitsLinesAtCrLfOrBoth) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* name;
        std::string text;
        Lines expected;
    } cases[] = {
        {"empty file", "", {}},
        {"CR LF, CR and LF each end a line", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a final line end starts no line", "a\r\n", {"a"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines are kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"byte order mark dropped", "\xEF\xBB\xBF<Startdir C:\\\r\nx", {"<Startdir C:\\", "x"}},
        {"valid UTF-8 kept", "caf\xC3\xA9", {"caf\xC3\xA9"}},
        {"other lines read as Windows-1252", "caf\xE9\r\n\x80 \x99", {"caf\xC3\xA9", "\xE2\x82\xAC \xE2\x84\xA2"}},
        {"a line with one bad byte is read whole as Windows-1252", "\xC3\xA9\xE9", {"\xC3\x83\xC2\xA9\xC3\xA9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, LinesOf(CatalogFile::FromText(c.text)));
    }
}

TEST(CatalogFile, LinesSurviveAMove) {
    CatalogFile file = CatalogFile::FromText("ab\r\ncd\xE9");  // short enough to sit inside the string
    const CatalogFile moved = std::move(file);
    EXPECT_EQ((std::vector<std::string>{"ab", "cd\xC3\xA9"}), LinesOf(moved));
}

TEST(CatalogFile, ReadErrorsNameTheFileAndTheReason) {
    test::TempTree tree;
    tree.Folder("folder.idx");
    const struct {
        std::string path, expected;
    } cases[] = {
        {tree.Path("missing.idx"), "cannot read catalog '" + tree.Path("missing.idx") + "': No such file or directory"},
        {tree.Path("folder.idx"), "cannot read catalog '" + tree.Path("folder.idx") + "': Is a directory"},
        {"", "cannot read catalog '': No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            CatalogFile file(c.path);
            ADD_FAILURE() << "no error";
        } catch (const TabuloError& e) {
            EXPECT_EQ(c.expected, e.what());
        }
    }
}

}  // namespace
}  // namespace tabulo
