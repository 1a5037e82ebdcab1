#include "catalog/CatalogImport.h"

#include <gtest/gtest.h>

#include "document/Document.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Lines = std::vector<std::string>;

// Records the status texts and lets a test press Esc at a chosen pass through the event loop.
class RecordingObserver : public RunObserver {
  public:
    void SetStatusPanel(int panel, std::string_view text) override {
        (panel == 0 ? panel0 : panel1).emplace_back(text);
    }
    void ProcessMessages(RunState& state) override {
        if (++passes == abortAtPass) state.AbortRequested = true;
    }
    void SetBusyCursor(bool busy) override { cursor.push_back(busy); }

    Lines panel0, panel1;
    std::vector<bool> cursor;
    int passes = 0;
    int abortAtPass = 0;
};

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

class CatalogImportTest : public ::testing::Test {
  protected:
    CatalogImportTest() {
        settings.FixedColumns = false;
        settings.ActivePattern = "%NAME";
    }

    ImportResult Import(const std::string& text, const std::string& fileName = "disk.idx") {
        tree.Text(fileName, text);
        return ImportPath(tree.Path(fileName));
    }

    ImportResult ImportPath(const std::string& path) {
        ListingServices services;
        services.locale = &locale;
        services.observer = &observer;
        services.currentYear = 2024;
        return ImportCatalog(settings, state, document, services, path,
                             [this](const UserMessage& m) { messages.push_back(m); });
    }

    Lines Paragraphs() const {
        Lines lines;
        for (const Paragraph& p : document.Paragraphs())
            lines.push_back(p.Text());
        return lines;
    }

    void BlocksWithoutHeadersOrSummaries() {
        settings.ListOptions.FolderHeader = false;
        settings.ListOptions.FolderSummary = false;
    }

    test::TempTree tree;
    ListSettings settings;
    RunState state;
    Document document;
    RecordingObserver observer;
    std::vector<UserMessage> messages;
    const Locale locale;  // dd.MM.yyyy, "." between digit groups
};

const std::string kDocs =
    "<Startdir C:\\Docs\r\n"
    "C:\\Docs\\a.txt/120/01.02.2006 10:00>>first file\r\n"
    "C:\\Docs\\b.doc/3000/02.02.2006 11:00\r\n";

TEST_F(CatalogImportTest, ListsAFolderBlockWithCommentsAndStatusTexts) {
    settings.FixedColumns = true;
    settings.ActivePattern = "%NAME %SIZE %DATE %COMM";
    const ImportResult result = Import(kDocs);

    EXPECT_TRUE(result.started);
    EXPECT_EQ("", result.error);
    EXPECT_EQ((Lines{"", "Directory of C:\\Docs", "",
                     "a.txt" + Blanks(25) + "   120 01.02.2006 10:00  first file" + Blanks(20),
                     "b.doc" + Blanks(25) + " 3.000 02.02.2006 11:00  " + Blanks(30), "", " 2 file(s) found",
                     " Total file size 3.120 bytes"}),
              Paragraphs());
    EXPECT_EQ(2, state.FileCount);
    EXPECT_EQ((Lines{"Press ESC to abort", "Ready"}), observer.panel0);
    EXPECT_EQ((Lines{"Scanning disk.idx", "2 files found"}), observer.panel1);
    EXPECT_EQ((std::vector<bool>{true, false}), observer.cursor);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(state.Running);
}

TEST_F(CatalogImportTest, FilterTakesOnlyAllFilesOrAStarAndTheExtension) {
    BlocksWithoutHeadersOrSummaries();
    const std::string catalog =
        "C:\\D\\a.txt/1/d\r\nC:\\D\\b.doc/1/d\r\nC:\\D\\c.TXT/1/d\r\nC:\\D\\README/1/d\r\nC:\\D\\d.tar.gz/1/d\r\n";
    const struct {
        const char* filter;
        Lines listed;
    } cases[] = {
        {"*.*", {"a.txt", "b.doc", "c.TXT", "d.tar.gz", "README"}},
        {"*.doc", {"b.doc"}},
        {"*.TXT;*.gz", {"a.txt", "c.TXT", "d.tar.gz"}},
        {"*.txt;*.*", {"a.txt", "b.doc", "c.TXT", "d.tar.gz", "README"}},
        {"a*.txt", {}},
        {"*.tar.gz", {}},
        {"?.doc", {}},
        {"*", {"README"}},
        {" *.doc", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        settings.Filter = c.filter;
        Import(catalog);
        EXPECT_EQ(c.listed, Paragraphs());
        EXPECT_EQ(static_cast<int>(c.listed.size()), state.FileCount);
    }
}

TEST_F(CatalogImportTest, EmptyFilterStillPrintsEmptyBlocksUnlessIgnoreEmpty) {
    settings.Filter = "";
    Import(kDocs);
    EXPECT_EQ((Lines{"", "Directory of C:\\Docs", "", "", " 0 file(s) found", " Total file size 0 bytes"}),
              Paragraphs());
    EXPECT_EQ((Lines{"Scanning disk.idx", "0 files found"}), observer.panel1);

    settings.ListOptions.IgnoreEmpty = true;
    Import(kDocs);
    EXPECT_EQ(Lines{}, Paragraphs());
}

TEST_F(CatalogImportTest, ScatteredFolderGivesOneBlockPerRun) {
    settings.ListOptions.FolderSummary = false;
    Import("C:\\A\\1.txt/1/d\r\nC:\\B\\2.txt/1/d\r\nC:\\A\\3.txt/1/d\r\nC:\\a\\4.txt/1/d\r\n");
    EXPECT_EQ((Lines{"", "Directory of C:\\A", "", "1.txt",  //
                     "", "Directory of C:\\B", "", "2.txt",  //
                     "", "Directory of C:\\A", "", "3.txt",  //
                     "", "Directory of C:\\a", "", "4.txt"}),
              Paragraphs());
}

TEST_F(CatalogImportTest, FolderHeaderAndPathShowTheFolderPart) {
    settings.ListOptions.FolderSummary = false;
    settings.ActivePattern = "%PATH|%NAME";
    const struct {
        const char* path;
        const char* folder;
        const char* line;
    } cases[] = {
        {"C:\\Docs\\a.txt", "C:\\Docs", "C:\\Docs\\|a.txt"},
        {"C:\\a.txt", "C:\\", "C:\\|a.txt"},
        {"\\\\srv\\share\\a.txt", "\\\\srv\\share", "\\\\srv\\share\\|a.txt"},
        {"a.txt", "", "|a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Import(std::string(c.path) + "/1/d\r\n");
        EXPECT_EQ((Lines{"", std::string("Directory of ") + c.folder, "", c.line}), Paragraphs());
    }
}

TEST_F(CatalogImportTest, DateShownOnlyWhenTicked) {
    BlocksWithoutHeadersOrSummaries();
    settings.ActivePattern = "%NAME|%DATE|%TIME|%DUSG|%ATTR|%COMM";
    settings.IncludeAttr = true;
    settings.IncludeTime = true;
    for (const bool date : {true, false}) {
        SCOPED_TRACE(date);
        settings.IncludeDate = date;
        Import("C:\\D\\a.txt/5/01.02.2006 10:00>note\r\n");
        EXPECT_EQ(Lines{date ? "a.txt|01.02.2006 10:00 ||||note" : "a.txt| ||||note"}, Paragraphs());
    }
}

TEST_F(CatalogImportTest, SizesAbove32BitsAreRead) {
    settings.ActivePattern = "%NAME %SIZE";
    settings.ListOptions.FolderHeader = false;
    Import("C:\\D\\big.iso/3221225472/d\r\nC:\\D\\s.txt/1/d\r\n");
    EXPECT_EQ(
        (Lines{"big.iso 3.221.225.472", "s.txt 1", "", " 2 file(s) found", " Total file size 3.221.225.473 bytes"}),
        Paragraphs());
}

TEST_F(CatalogImportTest, FoldersOnlyListsEachFolderSortedAndCountsThem) {
    settings.ListOptions.FoldersOnly = true;
    // Sizes are not read in this mode: an old-format size does not stop it.
    const ImportResult result =
        Import("<Startdir C:\\\r\nC:\\C\\x/1/d\r\nC:\\A\\y/2 KB/d\r\nC:\\B\\z/1/d\r\nC:\\w.txt/1/d\r\n");
    EXPECT_FALSE(result.refused);
    EXPECT_EQ((Lines{"", "C:\\", "C:\\A", "C:\\B", "C:\\C", ""}), Paragraphs());
    EXPECT_EQ(4, state.FolderCount);
    EXPECT_EQ(0, state.FileCount);
    EXPECT_EQ((Lines{"Scanning disk.idx", "4 folders found"}), observer.panel1);

    settings.ListOptions.LowerCase = true;
    Import("C:\\Docs\\x/1/d\r\n");
    EXPECT_EQ((Lines{"", "c:\\docs", ""}), Paragraphs());
}

TEST_F(CatalogImportTest, OldFormatIsRefusedOnceKeepingFoldersClosedBefore) {
    settings.ListOptions.FolderSummary = false;
    const struct {
        const char* name;
        std::string catalog;
        Lines paragraphs;
        int fileCount;
    } cases[] = {
        {"first entry",
         "C:\\D\\a.txt/1,024 KB/d\r\nC:\\D\\b.txt/2 KB/d\r\n",
         {"", "Unable to import catalog (old catalog format)"},
         0},
        {"after a closed folder",
         "C:\\A\\x.txt/5/d\r\nC:\\B\\y.txt/7/d\r\nC:\\B\\z.txt/2 KB/d\r\n",
         {"", "Directory of C:\\A", "", "x.txt", "", "Unable to import catalog (old catalog format)"},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        observer.panel1.clear();
        const ImportResult result = Import(c.catalog);
        EXPECT_TRUE(result.refused);
        EXPECT_EQ("", result.error);
        EXPECT_EQ(c.paragraphs, Paragraphs());
        ASSERT_EQ(1u, messages.size());
        EXPECT_EQ(
            "Unable to import catalog.\r\n\r\nYou can only import catalog files\r\ncreated with Vaultix 4.0 or later.",
            messages[0].text);
        EXPECT_EQ("Old catalog format", messages[0].caption);
        EXPECT_EQ(MessageIcon::Information, messages[0].icon);
        EXPECT_EQ(c.fileCount, state.FileCount);
        EXPECT_EQ((Lines{"Scanning disk.idx", std::to_string(c.fileCount) + " files found"}), observer.panel1);
    }
}

TEST_F(CatalogImportTest, SizeThatIsNoNumberStopsWithTheLine) {
    settings.ListOptions.FolderSummary = false;
    const struct {
        const char* badLine;
        const char* size;
    } cases[] = {
        {"", ""},  // an empty line is an entry with an empty path and size
        {"C:\\B\\y.txt/12a/d", "12a"},
        {"C:\\B\\y.txt/ 12/d", " 12"},
        {"C:\\B\\y.txt", ""},
        {"C:\\B\\y.txt/9223372036854775808/d", "9223372036854775808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.badLine);
        const ImportResult result =
            Import(std::string("<Startdir C:\\\r\nC:\\A\\x.txt/5/d\r\n") + c.badLine + "\r\nC:\\C\\z.txt/1/d\r\n");
        EXPECT_EQ("line 3 of '" + tree.Path("disk.idx") + "': '" + c.size + "' is not a valid size", result.error);
        EXPECT_EQ((Lines{"", "Directory of C:\\A", "", "x.txt"}), Paragraphs());
        EXPECT_EQ("Ready", observer.panel0.back());
        EXPECT_EQ("1 files found", observer.panel1.back());
        EXPECT_FALSE(state.SubfolderList.has_value());
    }
}

TEST_F(CatalogImportTest, FilteredOutLinesAreNotRead) {
    settings.Filter = "*.txt";
    settings.ListOptions.FolderSummary = false;
    const ImportResult result = Import("C:\\A\\x.txt/5/d\r\nC:\\A\\y.doc/bad/d\r\nC:\\A\\z.doc/1 KB/d\r\n");
    EXPECT_EQ("", result.error);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ((Lines{"", "Directory of C:\\A", "", "x.txt"}), Paragraphs());
}

TEST_F(CatalogImportTest, EmptyOrHeaderOnlyCatalogListsNothing) {
    settings.ListOptions.VolumeLabel = true;
    for (const std::string catalog : {"", "<Vaultix>\r\n<Startdir C:\\Docs\r\n"}) {
        SCOPED_TRACE(catalog);
        document.AddNormalText("the list before");
        observer.panel1.clear();
        const ImportResult result = Import(catalog);
        EXPECT_EQ("", result.error);
        EXPECT_FALSE(result.aborted);
        EXPECT_EQ(Lines{}, Paragraphs());
        EXPECT_EQ((Lines{"Scanning disk.idx", "0 files found"}), observer.panel1);
    }
}

TEST_F(CatalogImportTest, UnreadableCatalogEmptiesTheListAndEndsNormally) {
    document.AddNormalText("the list before");
    const ImportResult result = ImportPath(tree.Path("missing.idx"));
    EXPECT_EQ("cannot read catalog '" + tree.Path("missing.idx") + "': No such file or directory", result.error);
    EXPECT_EQ(Lines{}, Paragraphs());
    EXPECT_EQ((Lines{"Press ESC to abort", "Ready"}), observer.panel0);
    EXPECT_EQ((Lines{"Scanning missing.idx", "0 files found"}), observer.panel1);
    EXPECT_EQ((std::vector<bool>{true, false}), observer.cursor);
}

TEST_F(CatalogImportTest, EscStopsBetweenLines) {
    BlocksWithoutHeadersOrSummaries();
    const std::string catalog =
        "<Startdir "
        "C:\\\r\nC:\\A\\1.txt/1/d\r\nC:\\A\\2.txt/1/d\r\nC:\\B\\3.txt/1/d\r\nC:\\B\\4.txt/1/d\r\nC:\\C\\5.txt/1/d\r\n";
    const struct {
        const char* name;
        int pass;  // one pass through the event loop per line
        Lines paragraphs;
    } cases[] = {
        {"during the header: nothing is listed", 1, {}},
        {"during an entry: that line and its folder are still printed", 4, {"1.txt", "2.txt", "3.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer.passes = 0;
        observer.abortAtPass = c.pass;
        const ImportResult result = Import(catalog);
        EXPECT_TRUE(result.aborted);
        EXPECT_EQ(c.paragraphs, Paragraphs());
        EXPECT_EQ(std::to_string(c.paragraphs.size()) + " files found", observer.panel1.back());
    }
}

TEST_F(CatalogImportTest, DosLikeLayoutGivesEveryBlockItsOwnEmptyFolderRows) {
    settings.ListOptions.DosLikeListing = true;
    settings.ListOptions.FolderSummary = false;
    Import("C:\\A\\x.txt/1/d\r\nC:\\B\\y.txt/1/d\r\n");
    EXPECT_EQ((Lines{"", "Directory of C:\\A", "", "", "x.txt", " 0 folder(s) found",  //
                     "", "Directory of C:\\B", "", "", "y.txt", " 0 folder(s) found"}),
              Paragraphs());
    EXPECT_FALSE(state.SubfolderList.has_value());
}

TEST_F(CatalogImportTest, TreeViewDrawsEachBlockAsOneListedFolder) {
    settings.ListOptions.TreeViewMode = true;
    state.Level = 0;  // whatever an earlier run left
    Import("C:\\A\\x.txt/1/d\r\nC:\\A\\y.txt/1/d\r\n");
    EXPECT_EQ((Lines{"|-- C:\\A", "|  |-- x.txt", "|  |-- y.txt", "|  "}), Paragraphs());
}

TEST_F(CatalogImportTest, VolumeLabelNamesTheCatalog) {
    BlocksWithoutHeadersOrSummaries();
    settings.ListOptions.VolumeLabel = true;
    for (const bool html : {false, true}) {
        SCOPED_TRACE(html);
        settings.rbHTML = html;
        settings.rbNormal = !html;
        Import("C:\\A\\x.txt/1/d\r\n", "a&b.idx");
        EXPECT_EQ(html ? "Vaultix Catalog: a&amp;b.idx" : "Vaultix Catalog: a&b.idx", Paragraphs().at(0));
    }
}

TEST_F(CatalogImportTest, WindowsCodePageLinesListWithTheirAccents) {
    settings.ActivePattern = "%NAME %COMM";
    settings.ListOptions.FolderSummary = false;
    Import(
        "C:\\Caf\xE9\\men\xFC.txt/1/d>Gr\xFC\xDF"
        "e \x80\r\n");
    EXPECT_EQ((Lines{"", "Directory of C:\\Caf\xC3\xA9", "",
                     "men\xC3\xBC.txt Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x82\xAC"}),
              Paragraphs());
}

TEST_F(CatalogImportTest, DoesNotStartWhileARunIsInProgress) {
    state.Running = true;
    document.AddNormalText("the list in progress");
    const ImportResult result = Import(kDocs);
    EXPECT_FALSE(result.started);
    EXPECT_EQ(Lines{"the list in progress"}, Paragraphs());
    EXPECT_TRUE(observer.panel1.empty());
}

TEST(FixCatalogPattern, SimpleModeMakesThePatternAdvancedModeKeepsALongOne) {
    const struct {
        const char* name;
        bool simple;
        std::string pattern, expected;
    } cases[] = {
        {"simple mode", true, "%COMM %NAME", "%NAME %SIZE %DATE"},
        {"advanced mode", false, "%COMM %NAME", "%COMM %NAME"},
        {"advanced mode, too short", false, "%NAM", "%NAME"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListSettings settings;
        settings.ActivePattern = c.pattern;
        FixCatalogPattern(settings, c.simple);
        EXPECT_EQ(c.expected, settings.ActivePattern);
    }
}

}  // namespace
}  // namespace tabulo
