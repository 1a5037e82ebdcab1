#include <gtest/gtest.h>

#include <sstream>

#include "Fixtures.h"
#include "cli/Cli.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

// tabulo-cli run in-process over a folder with metadata-bearing files.
class MetadataListing : public ::testing::Test {
  protected:
    void SetUp() override {
        test::PinTimeZone();
        test::VersionStrings v;
        v.strings = {{"CompanyName", "Example Corp"},
                     {"FileDescription", "Example tool"},
                     {"ProductName", "Example Suite"},
                     {"ProductVersion", "2.0"}};
        tree.Text("tool.exe", test::PeWithVersion(test::VersionInfoBlock(v), true));
        tree.Text("pack.zip", test::MakeArchive("zip", {{"file_id.diz", "Packed things"}, {"sub/inner.txt", "12345"}},
                                                test::UtcTime(2004, 2, 29, 12)));
        tree.Text("page.html", "<title>Home page</title>");
        tree.Text(
            "photo.jpg",
            test::JpegWithIptc(test::Dataset(120, "Line one\r\nLine two") + test::Dataset(105, "Headline") +
                               test::Dataset(80, "By") + test::Dataset(110, "Credit") + test::Dataset(5, "Obj") +
                               test::Dataset(55, "20031224") + test::Dataset(90, "City") + test::Dataset(95, "State") +
                               test::Dataset(101, "Country") + test::Dataset(116, "Copy")));
        tree.Text("song.mp3", std::string(200, '\xFB') + test::Id3v1Tag("Song", "Band", "Disc", "2001", "Note", 4, 17));
        tree.Text("site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
        tree.Text("target.lnk", test::ShellLink({"C:\\Target\\file.txt", "", "", ""}));
        tree.Text("descript.ion", "notes.txt Described in descript.ion\r\n");
        tree.Text("notes.txt", "plain");
    }

    // The list lines of one file (the line that starts with its name and what follows it up to
    // the next file's line), with the given options.
    std::string Run(std::vector<std::string> args) {
        args.insert(args.end(), {"--no-header", "--no-summary", tree.Root()});
        StringSink out;
        std::ostringstream err;
        const Locale locale;
        CliIo io{out, err};
        io.locale = &locale;
        EXPECT_EQ(0, RunCli(args, io)) << err.str();
        return out.text;
    }

    static std::string LineOf(const std::string& list, const std::string& name) {
        const std::size_t at = list.find(name);
        if (at == std::string::npos) return "<no line for " + name + ">";
        return list.substr(at, list.find('\n', at) - at);
    }

    test::TempTree tree;
};

TEST_F(MetadataListing, AutocommentsOptionUsesTheDefaultSources) {
    const std::string list = Run({"--autocomments", "--pattern", "%NAME|%COMM|", "--max-length", "10"});
    EXPECT_EQ("pack.zip  |Packed things                 |", LineOf(list, "pack.zip"));
    EXPECT_EQ("page.html |Home page                     |", LineOf(list, "page.html"));
    EXPECT_EQ("song.mp3  |Song (Band - Disc)            |", LineOf(list, "song.mp3"));
    // Sources that are off by default, and descript.ion, stay silent.
    EXPECT_EQ("tool.exe  |                              |", LineOf(list, "tool.exe"));
    EXPECT_EQ("site.url  |                              |", LineOf(list, "site.url"));
    EXPECT_EQ("notes.txt |                              |", LineOf(list, "notes.txt"));
}

TEST_F(MetadataListing, SettingNamesReachTheReaders) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string file;
        std::string line;
    } cases[] = {
        {"cbDescript",
         {"--set", "FixedColumns=off", "--set", "UseAutoComments=on", "--set", "cbDescript=on", "--pattern",
          "%NAME|%COMM"},
         "notes.txt",
         "notes.txt|Described in descript.ion"},
        {"cbEXE with every version token",
         {"--set", "FixedColumns=off", "--set", "UseAutoComments=on", "--set", "cbEXE=on", "--pattern",
          "%NAME|%COMM|%FILE_COM|%FILE_NAM|%FILE_VER"},
         "tool.exe",
         "tool.exe|Example tool|Example Corp|Example Suite|2.0"},
        {"cbEXE without UseAutoComments still reads executables",
         {"--set", "FixedColumns=off", "--set", "cbEXE=on", "--pattern", "%NAME|%FILE_VER"},
         "tool.exe",
         "tool.exe|2.0"},
        {"cbZip off",
         {"--autocomments", "--set", "FixedColumns=off", "--set", "cbZip=off", "--pattern", "%NAME|%COMM"},
         "pack.zip",
         "pack.zip|"},
        {"cbHTML off",
         {"--autocomments", "--set", "FixedColumns=off", "--set", "cbHTML=off", "--pattern", "%NAME|%COMM"},
         "page.html",
         "page.html|"},
        {"cbMPEG with every MP3 token",
         {"--set", "UseAutoComments=on", "--set", "cbMPEG=on", "--pattern",
          "%NAME|%MP3_TIT|%MP3_ART|%MP3_ALB|%MP3_YER|%MP3_COM|%MP3_TRK|%MP3_GEN", "--set", "FixedColumns=off"},
         "song.mp3",
         "song.mp3|Song                          |Band                          |Disc              "
         "            "
         "|2001|Note                          |4 |Rock                          "},
        {"cbImage with every IPTC token, LongCaption 0",
         {"--set", "UseAutoComments=on", "--set", "cbImage=on", "--set", "LongCaption=0", "--set", "FixedColumns=off",
          "--pattern",
          "%NAME|%IPTC_CAP|%IPTC_HDL|%IPTC_BYL|%IPTC_CRE|%IPTC_OBJ|%IPTC_DAT|%IPTC_CIT|%IPTC_STA|%"
          "IPTC_COU|%IPTC_COP"},
         "photo.jpg",
         "photo.jpg|Line one  Line two|Headline|By|Credit|Obj|24.12.2003|City|State|Country|Copy"},
        {"MaxCaptionLength with LongCaption 2",
         {"--set", "UseAutoComments=on", "--set", "cbImage=on", "--set", "LongCaption=2", "--set", "MaxCaptionLength=8",
          "--pattern", "%NAME|%IPTC_CAP|"},
         "photo.jpg",
         "photo.jpg                     |Line one|"},
        {"MaxLengthComment",
         {"--autocomments", "--set", "MaxLengthComment=8", "--pattern", "%NAME|%COMM|"},
         "song.mp3",
         "song.mp3                      |Song (..|"},
        {"cbURL",
         {"--autocomments", "--set", "cbURL=on", "--set", "FixedColumns=off", "--pattern", "%NAME|%COMM"},
         "site.url",
         "site.url|http://example.org/"},
        {"cbLNK",
         {"--autocomments", "--set", "cbLNK=on", "--set", "FixedColumns=off", "--pattern", "%NAME|%COMM"},
         "target.lnk",
         "target.lnk|C:\\Target\\file.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.line, LineOf(Run(c.args), c.file));
    }
}

TEST_F(MetadataListing, ZipContentListsMembersUnderTheArchive) {
    const std::string list = Run({"--autocomments", "--set", "ZipContent=on", "--set", "FixedColumns=off", "--pattern",
                                  "%NAME|%SIZE|%DATE|%COMM"});
    const std::size_t archive = list.find("pack.zip|");
    ASSERT_NE(std::string::npos, archive) << list;
    const std::string after = list.substr(archive);
    EXPECT_EQ(0u, after.find("pack.zip|"));
    // The archive's comment, then its two file members with their sizes and dates.
    EXPECT_NE(std::string::npos, after.find("|--> file_id.diz|13|29.02.2004 |\n")) << after;
    EXPECT_NE(std::string::npos, after.find("|--> inner.txt|5|29.02.2004 |\n")) << after;
    EXPECT_EQ(std::string::npos, list.find("|--> sub")) << list;
    // Plain files get no member list.
    EXPECT_EQ(std::string::npos, list.find("|--> Song")) << list;
}

TEST_F(MetadataListing, MemberLinesShowNoneOfTheirArchivesMetadata) {
    // A self-extracting archive: an executable with a version resource and a zip appended.
    test::VersionStrings v;
    v.strings = {{"ProductVersion", "9.9"}};
    tree.Text("setup.exe", test::PeWithVersion(test::VersionInfoBlock(v), false) +
                               test::MakeArchive("zip", {{"payload.bin", "data"}}));
    const std::string list = Run({"--autocomments", "--set", "cbEXE=on", "--set", "ZipContent=on", "--set",
                                  "FixedColumns=off", "--pattern", "%NAME|%FILE_VER|"});
    EXPECT_NE(std::string::npos, list.find("setup.exe|9.9|\n|--> payload.bin||\n")) << list;
}

TEST_F(MetadataListing, TreeViewShowsMembers) {
    const std::string list = Run({"--tree", "--set", "ZipContent=on"});
    // Member lines sit one level below their archive: bars for the folder and the archive.
    EXPECT_NE(std::string::npos, list.find("\n|  |-- pack.zip")) << list;
    EXPECT_NE(std::string::npos, list.find("\n|  |  |--> inner.txt")) << list;
}

}  // namespace
}  // namespace tabulo
