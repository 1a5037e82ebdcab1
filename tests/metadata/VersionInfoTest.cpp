#include <gtest/gtest.h>

#include "Fixtures.h"
#include "metadata/VersionInfo.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

test::VersionStrings Strings(std::string description = "Text editor") {
    test::VersionStrings v;
    v.strings = {{"CompanyName", "Example Corp"},
                 {"FileDescription", std::move(description)},
                 {"ProductName", "Example Suite"},
                 {"ProductVersion", "4.2.1"}};
    return v;
}

VersionInfoRecord Read(const std::string& file) {
    VersionInfoRecord record{"stale", "stale", "stale", "stale"};
    ReadVersionInfo(MemorySource(file), record);
    return record;
}

void ExpectRecord(const VersionInfoRecord& expected, const VersionInfoRecord& actual) {
    EXPECT_EQ(expected.CompanyName, actual.CompanyName);
    EXPECT_EQ(expected.FileDescription, actual.FileDescription);
    EXPECT_EQ(expected.ProductName, actual.ProductName);
    EXPECT_EQ(expected.ProductVersion, actual.ProductVersion);
}

TEST(VersionInfo, ReadsTheFourStringsOf32And64BitFiles) {
    for (const bool pe64 : {false, true}) {
        SCOPED_TRACE(pe64 ? "PE32+" : "PE32");
        const std::string file = test::PeWithVersion(test::VersionInfoBlock(Strings()), pe64);
        ExpectRecord({"Example Corp", "Text editor", "Example Suite", "4.2.1"}, Read(file));
    }
}

TEST(VersionInfo, FollowsOnlyTheFirstTranslation) {
    struct Case {
        const char* name;
        unsigned language;
        unsigned codePage;
        std::string table;
        bool found;
    } cases[] = {
        {"table named in lower case still matches", 0x0409, 0x04E4, "040904e4", true},
        {"table of another code page", 0x0409, 0x04B0, "040904E4", false},
        {"German table", 0x0407, 0x04B0, "040704B0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::VersionStrings v = Strings();
        v.language = c.language;
        v.codePage = c.codePage;
        v.table = c.table;
        const VersionInfoRecord r = Read(test::PeWithVersion(test::VersionInfoBlock(v), false));
        EXPECT_EQ(c.found ? "Example Corp" : "", r.CompanyName);
        EXPECT_EQ(c.found ? "4.2.1" : "", r.ProductVersion);
    }
}

TEST(VersionInfo, CutsFieldsToThirtyCharacters) {
    const std::string longText = "A description of forty-five characters length";
    VersionInfoRecord record;
    const std::string comment =
        ReadVersionInfo(MemorySource(test::PeWithVersion(test::VersionInfoBlock(Strings(longText)), false)), record);
    EXPECT_EQ(longText.substr(0, 30), comment);
    EXPECT_EQ(longText.substr(0, 30), record.FileDescription);
}

TEST(VersionInfo, QueriesSubBlocksByPath) {
    const std::string block = test::VersionInfoBlock(Strings());
    EXPECT_EQ(std::string("\x09\x04\xE4\x04", 4), VerQueryValue(block, "\\VarFileInfo\\Translation").value_or(""));
    EXPECT_FALSE(VerQueryValue(block, "\\VarFileInfo\\Nothing").has_value());
    EXPECT_EQ("Example Suite", GetVersionString(block, "productname"));
    EXPECT_EQ("", GetVersionString(block, "LegalCopyright"));
}

TEST(VersionInfo, DamagedFilesGiveEmptyFields) {
    const std::string good = test::PeWithVersion(test::VersionInfoBlock(Strings()), true);
    ExpectRecord({}, Read(""));
    ExpectRecord({}, Read("MZ"));
    ExpectRecord({}, Read(std::string(4096, '\xFF')));
    // Every cut of the file and every byte set to 0xFF in turn: never a crash or a read outside
    // the data (the sanitizer run checks that), and never a field from somewhere else.
    for (std::size_t n = 0; n < good.size(); n += 7) {
        const VersionInfoRecord r = Read(good.substr(0, n));
        EXPECT_TRUE(r.CompanyName.empty() || r.CompanyName == "Example Corp") << n;
    }
    for (std::size_t i = 0; i < good.size(); ++i) {
        std::string bad = good;
        bad[i] = '\xFF';
        Read(bad);
    }
}

TEST(VersionInfo, MissingFileGivesEmptyFields) {
    test::TempTree tree;
    VersionInfoRecord record{"stale", "stale", "stale", "stale"};
    EXPECT_EQ("", ReadVersionInfo(tree.Path("missing.exe"), record));
    ExpectRecord({}, record);
}

}  // namespace
}  // namespace tabulo
