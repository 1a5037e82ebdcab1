#include <gtest/gtest.h>

#include "Fixtures.h"
#include "metadata/AutoComments.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

// A folder with one file of each kind the sources read.
class AutoCommentsFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        test::VersionStrings v;
        v.strings = {{"CompanyName", "Example Corp"}, {"FileDescription", "Example tool"}, {"ProductVersion", "2.0"}};
        const std::string exe = test::PeWithVersion(test::VersionInfoBlock(v), false);
        tree.Text("tool.exe", exe);
        tree.Text("lower.exe", exe);
        tree.Text("LIB.DLL", exe);
        tree.Text("pack.zip", test::MakeArchive("zip", {{"file_id.diz", "Packed things"}}));
        tree.Text("page.html", "<title>Home page</title>");
        tree.Text("photo.jpg", test::JpegWithIptc(test::Dataset(120, "Sunset") + test::Dataset(90, "Rome")));
        tree.Text("song.mp3", std::string(200, '\xFB') + test::Id3v1Tag("Song", "Band", "Disc", "2001", "", 1, 17));
        tree.Text("site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
        tree.Text("target.lnk", test::ShellLink({"C:\\Target\\file.txt", "", "", ""}));
        tree.Text("notes.txt", "plain");
        folder = tree.Root() + "/";
    }

    std::string Comment(const std::string& name, const ListSettings& settings) {
        records = MetadataRecords{};
        return sources.AutoComments(folder + name, settings, records);
    }

    static ListSettings AllSources() {
        ListSettings s;
        s.UseAutoComments = true;
        s.cbEXE = s.cbZip = s.cbHTML = s.cbImage = s.cbMPEG = s.cbURL = s.cbLNK = true;
        return s;
    }

    test::TempTree tree;
    std::string folder;
    FileAutoComments sources;
    MetadataRecords records;
};

TEST_F(AutoCommentsFolder, EachExtensionReachesItsSource) {
    struct Case {
        const char* file;
        std::string comment;
    } cases[] = {
        {"tool.exe", "Example tool"},
        {"LIB.DLL", "Example tool"},
        {"pack.zip", "Packed things"},
        {"page.html", "Home page"},
        {"photo.jpg", "Sunset"},
        {"song.mp3", "Song (Band - Disc)"},
        {"site.url", "http://example.org/"},
        {"target.lnk", "C:\\Target\\file.txt"},
        {"notes.txt", ""},
        {"missing.mp3", ""},
    };
    sources.BeginRun();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(c.comment, Comment(c.file, AllSources()));
    }
    Comment("song.mp3", AllSources());
    EXPECT_EQ("Rock" + std::string(26, ' '), records.id3.Genre);
    Comment("photo.jpg", AllSources());
    EXPECT_EQ("Rome", records.iptc.City);
    Comment("tool.exe", AllSources());
    EXPECT_EQ("2.0", records.version.ProductVersion);
}

TEST_F(AutoCommentsFolder, EachSwitchTurnsItsSourceOff) {
    struct Case {
        const char* file;
        bool ListSettings::*flag;
    } cases[] = {
        {"tool.exe", &ListSettings::cbEXE},   {"pack.zip", &ListSettings::cbZip},
        {"page.html", &ListSettings::cbHTML}, {"photo.jpg", &ListSettings::cbImage},
        {"song.mp3", &ListSettings::cbMPEG},  {"site.url", &ListSettings::cbURL},
        {"target.lnk", &ListSettings::cbLNK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ListSettings settings = AllSources();
        settings.*c.flag = false;
        EXPECT_EQ("", Comment(c.file, settings));
        EXPECT_EQ("", records.id3.Title + records.iptc.Caption + records.version.CompanyName);
    }
}

TEST_F(AutoCommentsFolder, DescriptIonComesFirstAndOnlyForItsFolder) {
    tree.Text("descript.ion", "tool.exe From descript.ion\r\nsong.mp3\r\n\"page.html\" \r\n");
    sources.BeginRun();
    sources.CheckDesctriptIonFile(folder);
    EXPECT_EQ("From descript.ion", Comment("TOOL.EXE", AllSources()));
    // Described there: not read, so its version fields stay empty.
    EXPECT_EQ("", records.version.ProductVersion);
    // A line without a description falls through to the sources.
    EXPECT_EQ("Song (Band - Disc)", Comment("song.mp3", AllSources()));
    EXPECT_EQ("Home page", Comment("page.html", AllSources()));

    // Files of another folder get nothing from this folder's table.
    tree.Text("other/tool.exe", "not a PE file");
    records = MetadataRecords{};
    EXPECT_EQ("", sources.AutoComments(tree.Path("other/tool.exe"), AllSources(), records));

    // A new run starts without a table.
    sources.EndRun();
    sources.BeginRun();
    EXPECT_EQ("Example tool", Comment("tool.exe", AllSources()));
}

}  // namespace
}  // namespace tabulo
