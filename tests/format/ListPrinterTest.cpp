#include <gtest/gtest.h>

#include "document/Document.h"
#include "format/ListPrinter.h"
#include "format/Tokens.h"
#include "support/Fakes.h"

namespace tabulo {
namespace {

using Lines = std::vector<std::string>;

// Prints entry lists straight through the printer, with no folder on disk.
class ListPrinterTest : public ::testing::Test {
  protected:
    ListPrinterTest() {
        settings.ListOptions.FolderHeader = false;
        settings.ListOptions.FolderSummary = false;
        state.StartDir = "/data";
        state.ClusterSize = 4096;
        state.Level = 1;
    }

    Lines Print(std::vector<TFileItem> entries, const std::string& dir = "/data/") {
        settings.ArchiveOptions = SetArchiveOptions(settings.ListOptions);
        std::int64_t size = 0, largest = 0;
        for (const TFileItem& e : entries)
            size += e.Size, largest = std::max(largest, e.Size);
        state.FileCount += static_cast<std::int32_t>(entries.size());
        document.Clear();
        ListPrinter printer(settings, state, document, locale, shortNames, comments, 2026);
        printer.PrintList(entries, dir, settings.ListOptions, false, size, largest,
                          static_cast<std::int32_t>(entries.size()));
        return test::Lines(document);
    }

    static TFileItem Item(std::string name, std::int64_t size = 0, std::uint32_t attr = 0) {
        return NewCurrentItem(std::move(name), "02.01.2020", size, "", attr);
    }

    ListSettings settings;
    RunState state;
    Document document;
    Locale locale;  // dd.MM.yyyy, HH:mm:ss, HH:mm, "."
    test::FakeShortNames shortNames;
    NoAutoComments comments;
};

TEST_F(ListPrinterTest, TokensAreReplacedInOrderIgnoringCase) {
    settings.FixedColumns = false;
    struct Row {
        const char* name;
        const char* pattern;
        TFileItem item;
        Lines lines;
    };
    const Row rows[] = {
        {"a token inside a name is replaced too", "%NAME %SIZE", Item("100%SIZE.txt", 5), {"1005.txt 5"}},
        {"lower and mixed case tokens", "%name|%Size|%fExT", Item("a.TXT", 7), {"a.TXT|7|.TXT"}},
        {"\\n starts a new paragraph", "%NAME\\n  %SIZE", Item("x", 1), {"x", "  1"}},
        {"%TIME is removed, %DATE holds date and time", "[%DATE][%TIME]", Item("x"), {"[02.01.2020 ][]"}},
        {"%PATH ends in a separator", "%PATH%NAME", Item("f"), {"/data/f"}},
        {"literal text and unknown tokens stay", "COPY %NAME A: %FOO", Item("f"), {"COPY f A: %FOO"}},
        {"a name that forms a later token", "%%NAME", Item("FILE_VER"), {""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        settings.ActivePattern = row.pattern;
        EXPECT_EQ(row.lines, Print({row.item}));
    }
}

TEST_F(ListPrinterTest, NamesBaseNamesAndExtensions) {
    settings.FixedColumns = false;
    settings.ActivePattern = "[%FNAM][%FEXT]";
    struct Row {
        const char* name;
        const char* line;
    };
    for (const Row& row : {Row{"README", "[README][]"}, Row{".profile", "[][.profile]"}, Row{"a.txt.txt", "[a][.txt]"},
                           Row{"Report.TXT.txt", "[Report][.txt]"}, Row{"photo.jpg", "[photo][.jpg]"}}) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Lines{row.line}, Print({Item(row.name)}));
    }
}

TEST_F(ListPrinterTest, FixedColumns) {
    settings.MaxLength = 8;
    settings.SortCriteria = SortCriterion::None;
    settings.ActivePattern = "[%NAME]";
    EXPECT_EQ((Lines{"[abcdef..]", "[abcdef  ]", "[abcdef..]"}),
              Print({Item("abcdefghijklmn"), Item("abcdef"), Item("abcdef" + std::string(294, 'z'))}));

    settings.ActivePattern = "[%SIZE]";
    EXPECT_EQ((Lines{"[        5]", "[1.234.567]", "[        0]"}),
              Print({Item("a", 5), Item("b", 1234567), Item("c", 0)}));

    settings.ActivePattern = "[%DATE]";  // filled to the short date format's length + 4
    EXPECT_EQ((Lines{"[   02.01.2020 ]"}), Print({Item("a")}));
    settings.IncludeTime = true;  // + the short time format's length + 6
    EXPECT_EQ((Lines{"[          02.01.2020 ]"}), Print({Item("a")}));
}

TEST_F(ListPrinterTest, SizesInKilobytesAndDiskUsage) {
    settings.FixedColumns = false;
    settings.SortCriteria = SortCriterion::None;
    settings.ActivePattern = "%SIZE|%DUSG";
    const std::vector<TFileItem> items = {Item("a", 0), Item("b", 1), Item("c", 4096), Item("d", 4097),
                                          Item("e", 2048)};
    EXPECT_EQ((Lines{"0|0", "1|4.096", "4.096|4.096", "4.097|8.192", "2.048|4.096"}), Print(items));
    settings.ListOptions.KB = true;
    EXPECT_EQ((Lines{"0 KB|0 KB", "1 KB|4 KB", "4 KB|4 KB", "4 KB|8 KB", "2 KB|4 KB"}), Print(items));
    settings.ListOptions.KB = false;
    settings.FormatSDV = true;  // a delimited list has no digit groups
    EXPECT_EQ((Lines{"0|0", "1|4096", "4096|4096", "4097|8192", "2048|4096"}), Print(items));
}

TEST_F(ListPrinterTest, AttributesAndNumbers) {
    settings.FixedColumns = false;
    settings.SortCriteria = SortCriterion::None;
    settings.ActivePattern = "%NUMB:%ATTR";
    settings.NumDigits = 3;
    const std::vector<TFileItem> items = {Item("a", 0, 33), Item("b", 0, 6), Item("c", 0, 1), Item("d", 0, 35)};
    EXPECT_EQ((Lines{"001:", "002:", "003:", "004:"}), Print(items));
    settings.IncludeAttr = true;
    EXPECT_EQ((Lines{"001:RA", "002:", "003:R", "004:RHA"}), Print(items));

    // Without the reset the numbering goes on from folder to folder.
    settings.ListOptions.ResetCounter = false;
    state.FileCount = 0;
    Print(items);
    EXPECT_EQ((Lines{"005:RA", "006:", "007:R", "008:RHA"}), Print(items));
    std::vector<TFileItem> many(1234, Item("x"));
    state.FileCount = 0;
    EXPECT_EQ("1234:", Print(many).back());
}

TEST_F(ListPrinterTest, ShortNames) {
    shortNames.names = {{"Long File Name.text", "LONGFI~1.TEX"}};
    settings.ActivePattern = "[%NAME][%NDOS][%FNAM]";
    settings.FixedColumns = false;
    EXPECT_EQ((Lines{"[Long File Name.text][LONGFI~1.TEX][Long File Name]"}), Print({Item("Long File Name.text")}));
    settings.ListOptions.ShortFNames = true;
    settings.ListOptions.LowerCase = true;
    EXPECT_EQ((Lines{"[longfi~1.tex][longfi~1.tex][]"}), Print({Item("Long File Name.text")}));
    settings.FixedColumns = true;  // the name column fills the 12 blanks of a missing short name
    settings.ListOptions.LowerCase = false;
    shortNames.names.clear();
    const std::string blanks30(30, ' ');
    EXPECT_EQ((Lines{"[" + blanks30 + "][            ][" + blanks30 + "]"}), Print({Item("x.txt")}));
}

TEST_F(ListPrinterTest, MetadataTokensWithoutReaders) {
    settings.FixedColumns = false;
    settings.ActivePattern = "[%IPTC_DAT][%MP3_TIT][%FILE_VER][%COMM]";
    EXPECT_EQ((Lines{"[30.12.1899][][][]"}), Print({Item("photo.jpg")}));
}

// Fills the records as a reader would and counts its calls.
class CountingComments : public AutoCommentsSource {
  public:
    int calls = 0;
    void CheckDesctriptIonFile(const std::string&) override {}
    std::string AutoComments(const std::string& path, const ListSettings&, MetadataRecords& records) override {
        ++calls;
        records.id3.Title = "Title of " + path;
        records.version.ProductVersion = "1.0";
        return "comment";
    }
};

TEST_F(ListPrinterTest, AutoCommentsAreReadOnlyWhenTheLineAsksForThem) {
    CountingComments counting;
    settings.FixedColumns = false;
    settings.UseAutoComments = false;
    settings.ActivePattern = "%NAME [%MP3_TIT] [%FILE_VER]";
    auto print = [&](std::vector<TFileItem> items) {
        document.Clear();
        ListPrinter printer(settings, state, document, locale, shortNames, counting, 2026);
        printer.PrintList(items, "/d/", settings.ListOptions, false, 0, 0, 0);
        return test::Lines(document);
    };
    // Without AutoComments only executables are read; the MP3 record keeps what it last held,
    // the version strings are cleared for every file.
    EXPECT_EQ((Lines{"app.exe [Title of /d/app.exe] [1.0]", "song.mp3 [Title of /d/app.exe] []"}),
              print({Item("app.exe"), Item("song.mp3")}));
    EXPECT_EQ(1, counting.calls);
    settings.ActivePattern = "%NAME %SIZE";
    print({Item("app.exe")});
    EXPECT_EQ(1, counting.calls);  // no token asks for it: the file is not opened
}

TEST_F(ListPrinterTest, FolderHeadersAndSummaries) {
    settings.ListOptions.FolderHeader = true;
    settings.ListOptions.FolderSummary = true;
    settings.ActivePattern = "%NAME";
    settings.FixedColumns = false;
    settings.ListOptions.FullPath = false;
    EXPECT_EQ((Lines{"", "Directory of /", "", "", " 0 file(s) found", " Total file size 0 bytes"}),
              Print({}, "/data/"));
    EXPECT_EQ("Directory of Sub", Print({}, "/data/Sub/").at(1));
    settings.ListOptions.FullPath = true;
    EXPECT_EQ("Directory of /data/Sub", Print({}, "/data/Sub/").at(1));
    state.StartDir = "/";
    EXPECT_EQ("Directory of /", Print({}, "/").at(1));
    settings.ListOptions.FullPath = false;
    EXPECT_EQ("Directory of Sub", Print({}, "/Sub/").at(1));

    settings.ListOptions.KB = true;
    EXPECT_EQ(" Total file size  KB", Print({}).back());
    settings.ListOptions.KB = false;
    settings.ActivePattern = "%NAME %dusg";  // only the exact token asks for the disk line
    EXPECT_EQ(" Total file size 1 bytes", Print({Item("a", 1)}).back());
    settings.ActivePattern = "%NAME %DUSG";
    const Lines withDiskUsage = Print({Item("a", 1)});
    EXPECT_EQ((Lines{" Total file size 1 bytes", " Total disk space used 4.096 bytes"}),
              Lines(withDiskUsage.end() - 2, withDiskUsage.end()));
}

TEST_F(ListPrinterTest, ArchiveMembers) {
    settings.ActivePattern = "%NUMB %NAME %SIZE %DATE";
    settings.FixedColumns = false;
    settings.ListOptions.FolderSummary = true;
    TFileItem archive = Item("pack.zip", 300);
    archive.Members.emplace();
    archive.Members->push_back(NewCurrentItem("|--> b.txt", "03.03.2003", 5000000000, "", 0));
    archive.Members->push_back(NewCurrentItem("|--> a.txt", "04.04.2004", 7, "", 0));
    const Lines lines = Print({archive, Item("z.txt", 1)});
    const Lines expected = {
        "01 pack.zip 300 02.01.2020 ",
        "01 |--> a.txt 7 04.04.2004 ",  // member lists never reset the counter
        "02 |--> b.txt 5.000.000.000 03.03.2003 ",
        "",
        "02 z.txt 1 02.01.2020 ",
        "",
        " 2 file(s) found",
        " Total file size 301 bytes",
        "",
        " 2 file(s) found in archives",
    };
    EXPECT_EQ(expected, lines);

    settings.ListOptions.TreeViewMode = true;
    settings.ListOptions.FolderSummary = false;
    state.Level = 2;
    EXPECT_EQ((Lines{"|  |-- /data", "|  |  |-- pack.zip", "|  |  |  |--> a.txt", "|  |  |  |--> b.txt", "|  |  ",
                     "|  |  |-- z.txt", "|  |  "}),
              Print({archive, Item("z.txt", 1)}));
}

TEST_F(ListPrinterTest, HtmlBlocks) {
    settings.rbHTML = true;
    settings.rbNormal = false;
    settings.FixedColumns = false;
    settings.ListOptions.FolderHeader = true;
    settings.ListOptions.FolderSummary = true;
    settings.ActivePattern = "<tr><td>%NAME</td></tr>";
    TFileItem archive = Item("a<b>.zip", 2048);
    archive.Members.emplace();
    archive.Members->push_back(NewCurrentItem("|--> m&m.txt", "", 1, "", 0));
    const Lines expected = {
        "",
        "<p>",
        "<b>Directory of /data/x&amp;y</b>",
        "</p>",
        "<table>",
        "<tr><td>a&lt;b&gt;.zip</td></tr>",
        "<tr><td>|--&gt; m&amp;m.txt</td></tr>",
        "",
        "</table>",
        "<br>",  // the member list inside the table
        "</table>",
        "<br>",
        "<p>",
        "1 file(s) found<br>",
        "Total file size 2.048 bytes<br>",
        "</p>",
        "<br>1 file(s) found in archives<br>",
    };
    EXPECT_EQ(expected, Print({archive}, "/data/x&y/"));
}

TEST_F(ListPrinterTest, DelimitedBlocksHaveNoHeaderOrSummary) {
    settings.rbSDV = true;
    settings.rbNormal = false;
    settings.FormatSDV = true;
    settings.FixedColumns = false;
    settings.ListOptions.FolderHeader = true;
    settings.ListOptions.FolderSummary = true;
    settings.ActivePattern = "\"%NAME\";\"%SIZE\"";
    EXPECT_EQ((Lines{"\"a\";\"12345\""}), Print({Item("a", 12345)}));
    // A qualifier inside a name is written twice, so the field does not end early.
    settings.TextQualifier = "\"";
    EXPECT_EQ((Lines{"\"say \"\"hi\"\";.txt\";\"1\""}), Print({Item("say \"hi\";.txt", 1)}));
}

TEST_F(ListPrinterTest, ControlCharactersInNamesDoNotSplitLines) {
    settings.FixedColumns = false;
    settings.ActivePattern = "%NAME|%FNAM";
    EXPECT_EQ((Lines{"two?lines.txt|two?lines"}), Print({Item("two\nlines.txt")}));
}

TEST(Tokens, MakePatternAndTokenTable) {
    EXPECT_EQ("%NAME", MakePattern(false, false, false, false));
    EXPECT_EQ("%NAME %SIZE %DATE %TIME %ATTR", MakePattern(true, true, true, true));
    EXPECT_EQ("%NAME %SIZE %TIME", MakePattern(true, false, true, false));
    EXPECT_EQ(34u, kTokenTexts.size());
    EXPECT_EQ(
        (std::uint64_t{1} << static_cast<int>(Token::NAME)) | (std::uint64_t{1} << static_cast<int>(Token::MP3_TIT)),
        TokensIn("x %name %Mp3_Tit %nothing"));
}

}  // namespace
}  // namespace tabulo
