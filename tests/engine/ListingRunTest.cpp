#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "document/Document.h"
#include "engine/ListingRun.h"
#include "format/Listing.h"
#include "platform/Utf8.h"
#include "support/Fakes.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Lines = std::vector<std::string>;

class ListingRunTest : public ::testing::Test {
  protected:
    void SetUp() override { test::PinTimeZone(); }

    Lines Run(const ListSettings& settings, const std::string& startDir = "") {
        state.StartDir = startDir.empty() ? tree.Root() : startDir;
        ListingServices services;
        services.locale = &locale;
        services.volumes = &volumes;
        services.shortNames = &shortNames;
        services.observer = &observer;
        services.currentYear = 2026;
        result = ListFolder(settings, state, document, services);
        return test::Lines(document);
    }

    // The lines that begin with `prefix`.
    static Lines Starting(const Lines& lines, const std::string& prefix) {
        Lines found;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                     [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        return found;
    }

    test::TempTree tree;
    Locale locale;  // dd.MM.yyyy, HH:mm:ss, "." as thousands separator
    test::FakeVolumes volumes;
    test::FakeShortNames shortNames;
    test::RecordingObserver observer;
    RunState state;
    Document document;
    RunResult result;
};

TEST_F(ListingRunTest, FolderBlockOfTwoFiles) {
    tree.File("a.txt", 1234567, test::UtcTime(2020, 1, 2, 10, 0));
    tree.File("b.doc", 5, test::UtcTime(2021, 3, 4, 11, 0));
    const Lines lines = Run(ListSettings{});
    const Lines expected = {
        "",
        "Directory of " + tree.Root(),
        "",
        "a.txt                          1.234.567    02.01.2020 ",
        "b.doc                                  5    04.03.2021 ",
        "",
        " 2 file(s) found",
        " Total file size 1.234.572 bytes",
    };
    EXPECT_EQ(expected, lines);
    EXPECT_EQ(kBoldText, document.Paragraphs()[1].runs[0].style);
    EXPECT_EQ(kNormalText, document.Paragraphs()[3].runs[0].style);
    EXPECT_EQ("Ready", observer.panel0.back());
    EXPECT_EQ("2 files found", observer.panel1.back());
    EXPECT_EQ(2, state.FileCount);
    EXPECT_EQ(1234572, state.TotalSize);
    EXPECT_EQ(1, state.Level);
}

TEST_F(ListingRunTest, TotalSummaryOfAnEmptyFolder) {
    ListSettings s;
    s.ListOptions.TotalSummary = true;
    volumes.freeBytes = 1048576;
    const Lines lines = Run(s);
    const Lines tail(lines.end() - 5, lines.end());
    EXPECT_EQ((Lines{"", " Total summary:", " 0 file(s) found", " Total file size  KB", " 1.024 KB free"}), tail);
    EXPECT_EQ(" Total file size 0 bytes", *(lines.end() - 6));
}

TEST_F(ListingRunTest, FreeSpaceTexts) {
    struct Row {
        std::int64_t bytes;
        const char* text;
    };
    for (const Row& row :
         {Row{0, "0 KB free"}, Row{1023, "0 KB free"}, Row{1048576, "1.024 KB free"}, Row{1025 * 1024, "1 MB free"},
          Row{-1, "0 KB free"}, Row{6000000000000, "5.722.045 MB free"}}) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(row.text, ListingRun::FreeSpaceText(row.bytes, "."));
    }
}

TEST_F(ListingRunTest, RecursionDepthAndRelativeNames) {
    tree.File("top.txt");
    tree.File("Sub/one.txt");
    tree.File("Sub/Deeper/two.txt");
    tree.File("Sub/Deeper/Deepest/three.txt");
    ListSettings s;
    s.IncludeFolders = true;
    s.ListOptions.FullPath = false;
    struct Row {
        int levels;
        bool all;
        Lines headers;
    };
    const Row rows[] = {
        {0, false, {"Directory of /"}},
        {2, false, {"Directory of /", "Directory of Sub", "Directory of Sub/Deeper"}},
        {0, true, {"Directory of /", "Directory of Sub", "Directory of Sub/Deeper", "Directory of Sub/Deeper/Deepest"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.levels);
        s.Levels = row.levels;
        s.RecurseAll = row.all;
        const Lines lines = Run(s);
        EXPECT_EQ("Startdir is " + tree.Root(), lines.at(0));
        EXPECT_EQ(row.headers, Starting(lines, "Directory of "));
        EXPECT_EQ(0, state.Level);
    }
}

TEST_F(ListingRunTest, HiddenFilesAndHiddenFolders) {
    tree.File("shown.txt");
    tree.File(".hidden.txt");
    tree.File(".cache/inside.txt");
    ListSettings s;
    s.IncludeFolders = true;
    s.ListOptions.FolderHeader = s.ListOptions.FolderSummary = false;
    s.ActivePattern = "%NAME";
    s.FixedColumns = false;
    EXPECT_EQ((Lines{"shown.txt", "inside.txt"}), Run(s));
    s.IncludeAllFiles = true;
    EXPECT_EQ((Lines{".hidden.txt", "shown.txt", "inside.txt"}), Run(s));
}

TEST_F(ListingRunTest, LinksToFoldersAreNeverWalkedInto) {
    tree.File("real/file.txt");
    tree.Symlink("..", "real/up");  // a loop back to the start folder
    tree.Symlink("real/file.txt", "alias.txt");
    ListSettings s;
    s.IncludeFolders = true;
    s.RecurseAll = true;
    s.ActivePattern = "%NAME %SIZE";
    s.FixedColumns = false;
    s.ListOptions.FolderHeader = s.ListOptions.FolderSummary = false;
    EXPECT_EQ((Lines{"alias.txt 0", "file.txt 0"}), Run(s));
}

TEST_F(ListingRunTest, FiltersAndExclusions) {
    tree.File("a.txt");
    tree.File("b.doc");
    tree.File("Temp/t.txt");
    tree.File("Temporary/u.txt");
    tree.File("Other/v.txt");
    ListSettings s;
    s.ActivePattern = "%NAME";
    s.FixedColumns = false;
    s.ListOptions.FolderHeader = s.ListOptions.FolderSummary = false;

    s.Filter = "*.*;*.TXT";  // a file that matches two masks is listed twice
    EXPECT_EQ((Lines{"a.txt", "a.txt", "b.doc"}), Run(s));
    EXPECT_EQ(3, state.FileCount);

    s.Filter = "";  // no masks: no files, but the folder block is still there
    s.ListOptions.FolderHeader = true;
    EXPECT_EQ((Lines{"", "Directory of " + tree.Root(), ""}), Run(s));

    s.Filter = "*.*";
    s.ListOptions.FolderHeader = false;
    s.IncludeFolders = true;
    s.Exclusions = true;
    s.ExcludedExtensions = {".DOC"};
    s.ExcludedFolders = {tree.Path("Temp")};  // a substring of Temporary as well
    EXPECT_EQ((Lines{"a.txt", "v.txt"}), Run(s));

    s.ExcludeAllSubfolders = false;  // whole paths only; deeper folders carry a final "/"
    s.ExcludedFolders = {tree.Path("Temp/")};
    s.ExcludedFileNames = {"U.TXT"};
    EXPECT_EQ((Lines{"a.txt", "v.txt"}), Run(s));
}

TEST_F(ListingRunTest, FoldersOnly) {
    tree.Folder("b/inner");
    tree.Folder("A");
    tree.File("a file.txt");
    ListSettings s;
    s.ListOptions.FoldersOnly = true;
    s.ListOptions.FullPath = false;
    s.IncludeFolders = true;
    s.RecurseAll = true;
    const Lines lines = Run(s);
    // The start folder is an empty name at the top of the sorted list.
    EXPECT_EQ((Lines{"Startdir is " + tree.Root(), "", "", "A", "b", "b/inner", ""}), lines);
    EXPECT_EQ(4, state.FolderCount);
    EXPECT_EQ("4 folders found", observer.panel1.back());
    EXPECT_FALSE(state.SubfolderList.has_value());

    s.IncludeFolders = false;
    s.ListOptions.FullPath = true;
    s.ListOptions.UpperCase = true;
    s.ListOptions.TotalSummary = true;
    const Lines single = Run(s);
    EXPECT_EQ((Lines{"", utf8::ToUpper(tree.Root()), "", "", " 1 folders found"}), single);
}

TEST_F(ListingRunTest, DosLikeListing) {
    tree.Folder("Zeta");
    tree.Folder("alpha");
    tree.File("file.txt", 3);
    ListSettings s;
    s.IncludeFolders = true;  // not looked at: one folder only
    s.ListOptions.DosLikeListing = true;
    s.ListOptions.LowerCase = true;
    s.ListOptions.FolderSummary = false;
    s.ActivePattern = "%NAME %SIZE";
    const Lines lines = Run(s);
    const Lines expected = {
        "",
        "Directory of " + utf8::ToLower(tree.Root()),
        "",
        "alpha                          <DIR>",
        "zeta                           <DIR>",
        "",
        "file.txt                       3",
        " 2 folder(s) found",
    };
    EXPECT_EQ(expected[3], lines.at(3));
    EXPECT_EQ(Lines(expected.begin() + 3, expected.end()), Lines(lines.begin() + 3, lines.end()));
    EXPECT_EQ(0, state.Level);
}

TEST_F(ListingRunTest, TreeView) {
    tree.File("top.txt");
    tree.File("Sub/Inner/deep.txt");
    ListSettings s;
    s.IncludeFolders = true;
    s.RecurseAll = true;
    s.ListOptions.TreeViewMode = true;
    s.ListOptions.FullPath = false;
    s.ListOptions.IgnoreMaxColumnSize = true;
    EXPECT_EQ((Lines{"Startdir is " + tree.Root(), "|-- /", "|  |-- top.txt", "|  ", "|  |-- Sub", "|  |  ",
                     "|  |  |-- Sub/Inner", "|  |  |  |-- deep.txt", "|  |  |  "}),
              Run(s));
}

TEST_F(ListingRunTest, AbortStillWritesTheClosingLines) {
    tree.File("one/a.txt");
    tree.File("one/b.txt");
    tree.File("two/c.txt");
    ListSettings s;
    s.IncludeFolders = true;
    s.ListOptions.TotalSummary = true;
    observer.abortAfterFiles = 1;
    const Lines lines = Run(s);
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(1, state.FileCount);
    EXPECT_EQ(" 1 file(s) found", *(lines.end() - 3));
    EXPECT_EQ(1u, Starting(lines, " Total summary:").size());
}

TEST_F(ListingRunTest, AnErrorEndsTheWalkButNotTheList) {
    tree.File("a.txt");
    volumes.failCluster = true;
    ListSettings s;
    s.ListOptions.TotalSummary = true;
    s.rbHTML = true;
    s.rbNormal = false;
    const Lines lines = Run(s);
    EXPECT_EQ("System Error.  Code: 5.\r\nAccess denied", result.error);
    EXPECT_EQ((Lines{"<br>", "<p><b>Total summary:</b><br>", "0 files found<br>", "Total file size  KB<br>",
                     "0 KB free</p>", "</body>", "</html>"}),
              lines);
    EXPECT_TRUE(observer.htmlFinished);
}

TEST_F(ListingRunTest, HtmlPage) {
    tree.Folder("a&b");
    ListSettings s;
    s.rbHTML = true;
    s.rbNormal = false;
    s.ListOptions.VolumeLabel = true;
    const Lines lines = Run(s, tree.Path("a&b"));
    const std::string escaped = tree.Root() + "/a&amp;b";
    const Lines expected = {
        "<html>",
        "<head>",
        "<title>Directory of " + escaped + "</title>",
        "<style>body { font-family : Verdana,arial,helvetica; }</style>",
        "</head>",
        "<body>",
        "<p>Volume in drive / is unknown</p>",
        // an empty folder: no table is opened, but it is closed
        "",
        "<p>",
        "<b>Directory of " + escaped + "</b>",
        "</p>",
        "</table>",
        "<br>",
        "<p>",
        "0 file(s) found<br>",
        "Total file size 0 bytes",
        "</p>",
        "</body>",
        "</html>",
    };
    EXPECT_EQ(expected, lines);
}

TEST_F(ListingRunTest, VolumeLine) {
    ListSettings s;
    s.ListOptions.VolumeLabel = true;
    volumes.label = "DATA";
    volumes.mountPoint = "/media/data";
    EXPECT_EQ("Volume in drive /media/data is DATA", Run(s).at(0));
    s.ListOptions.FullPath = false;
    const Lines relative = Run(s);
    EXPECT_EQ((Lines{"Volume in drive /media/data is DATA", "", "Startdir is " + tree.Root()}),
              Lines(relative.begin(), relative.begin() + 3));
    volumes.network = true;  // no volume line on a network file system
    EXPECT_EQ("Startdir is " + tree.Root(), Run(s).at(0));
}

TEST_F(ListingRunTest, UnreadableFolderIsListedEmpty) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    tree.File("locked/secret.txt");
    tree.File("open.txt");
    ::chmod(tree.Path("locked").c_str(), 0);
    ListSettings s;
    s.IncludeFolders = true;
    const Lines lines = Run(s);
    EXPECT_EQ((Lines{" 1 file(s) found", " Total file size 0 bytes", " 0 file(s) found", " Total file size 0 bytes"}),
              Starting(lines, " "));
}

}  // namespace
}  // namespace tabulo
