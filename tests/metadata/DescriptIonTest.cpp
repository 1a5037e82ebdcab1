#include <gtest/gtest.h>

#include "metadata/DescriptIon.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

TEST(DescriptIon, SplitsLinesIntoNameAndDescription) {
    struct Case {
        const char* name;
        std::string line;
        std::string fileName;
        std::string description;
    } cases[] = {
        {"quoted long name", "\"My Long Name.txt\" Notes about it", "My Long Name.txt", "Notes about it"},
        {"two spaces keep one", "readme.txt  A text", "readme.txt", " A text"},
        {"no closing quote", "\"abc def", "", "bc def"},
        {"quote closes at line end", "\"abc\"", "abc", ""},
        {"no space", "lonely", "", "lonely"},
        {"empty line", "", "", ""},
        {"trailing blanks kept", "a.txt text  ", "a.txt", "text  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string name = "stale", description = "stale";
        SplitDescriptIonLine(c.line, name, description);
        EXPECT_EQ(c.fileName, name);
        EXPECT_EQ(c.description, description);
    }
}

TEST(DescriptIon, LooksUpUpperCasedNamesAndTakesTheFirstLine) {
    DescriptIonTable table;
    EXPECT_FALSE(table.Lookup("a.txt").has_value());
    table.Parse("a.txt first\r\n\"Long Name.doc\" long one\nA.TXT second\rb.txt\n");
    EXPECT_TRUE(table.Present());
    EXPECT_EQ((std::vector<std::string>{"A.TXT", "LONG NAME.DOC", "A.TXT", ""}), table.Names());
    EXPECT_EQ("first", table.Lookup("a.TXT").value_or("none"));
    EXPECT_EQ("long one", table.Lookup("long name.doc").value_or("none"));
    EXPECT_FALSE(table.Lookup("b.txt").has_value());
}

TEST(DescriptIon, LoadsTheFolderFileUnderAnyCasing) {
    test::TempTree tree;
    DescriptIonTable table;
    table.Load(tree.Root() + "/");
    EXPECT_FALSE(table.Present());

    tree.Text("dos/DESCRIPT.ION", "song.mp3 From the DOS days\r\n");
    table.Load(tree.Root() + "/dos/");
    EXPECT_EQ("From the DOS days", table.Lookup("SONG.MP3").value_or("none"));

    tree.Text("both/descript.ion", "x exact\n");
    tree.Text("both/Descript.Ion", "x other\n");
    table.Load(tree.Root() + "/both/");
    EXPECT_EQ("exact", table.Lookup("x").value_or("none"));

    // A folder named descript.ion is no table.
    tree.Folder("odd/descript.ion");
    table.Load(tree.Root() + "/odd/");
    EXPECT_FALSE(table.Present());
}

}  // namespace
}  // namespace tabulo
