#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Printers.h"
#include "document/AtomicFile.h"
#include "document/DocumentFiles.h"
#include "document/SaveFile.h"
#include "platform/TabuloError.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

// Answers the dialogs as scripted and records what was asked.
class ScriptedUi : public SaveFileUi {
  public:
    std::optional<Choice> choice;
    Answer answer = Answer::Yes;
    std::string filterShown;
    std::string extensionShown;
    std::vector<std::string> questions;
    std::vector<std::string> errors;

    std::optional<Choice> ChooseFile(const std::string& filterList, const std::string& defaultExtension) override {
        filterShown = filterList;
        extensionShown = defaultExtension;
        return choice;
    }
    Answer Confirm(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveFile, FilterListFollowsModeAndFormat) {
    const std::string textOrRtf = "Text file (*.txt)|*.txt|Rich text format (*.rtf)|*.rtf";
    struct Row {
        bool advanced;
        ListFormat format;
        std::string expected;
    };
    const Row rows[] = {
        {false, ListFormat::Normal, textOrRtf},
        {false, ListFormat::Html, textOrRtf},  // simple mode after an HTML list in advanced mode
        {false, ListFormat::Delimited, textOrRtf},
        {true, ListFormat::Normal, textOrRtf},
        {true, ListFormat::Html, "HTML file (*.html)|*.html"},
        {true, ListFormat::Delimited, "SDV file (*.sdv)|*.sdv"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected + (row.advanced ? " advanced" : " simple"));
        EXPECT_EQ(row.expected, SaveFilterList(row.advanced, row.format));
    }
}

TEST(SaveFile, FilterIndexChoosesTheWriter) {
    test::TempTree tree;
    Document doc;
    doc.AddBoldText("header");
    doc.AddNormalText("line \xC3\xA9");
    struct Row {
        const char* name;
        bool advanced;
        ListFormat format;
        int index;
        bool rtf;
    };
    const Row rows[] = {
        {"list.txt", false, ListFormat::Normal, 1, false},
        {"rtf-in.txt", false, ListFormat::Normal, 2, true},
        {"page.html", true, ListFormat::Html, 1, false},
        {"list.sdv", true, ListFormat::Delimited, 1, false},
        {"second-entry-of-html.html", true, ListFormat::Html, 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedUi ui;
        ui.choice = SaveFileUi::Choice{tree.Path(row.name), row.index};
        EXPECT_EQ(tree.Path(row.name), SaveFile(doc, row.advanced, row.format, ui));
        EXPECT_EQ("txt", ui.extensionShown);
        EXPECT_TRUE(ui.questions.empty());
        const std::string written = test::ReadFile(tree.Path(row.name));
        if (row.rtf) {
            EXPECT_EQ("{\\rtf1", written.substr(0, 6));
        } else {
            EXPECT_EQ("header\r\nline \xC3\xA9", written);
        }
    }
}

TEST(SaveFile, HtmlListBecomesACompletePage) {
    test::TempTree tree;
    Document doc;
    doc.AddNormalText("<html>\r<body>\r<table><tr><td>a &amp; b</td></tr></table>\r</body>\r</html>");
    ScriptedUi ui;
    ui.choice = SaveFileUi::Choice{tree.Path("list.html"), 1};
    SaveFile(doc, true, ListFormat::Html, ui);
    EXPECT_EQ("<html>\r\n<body>\r\n<table><tr><td>a &amp; b</td></tr></table>\r\n</body>\r\n</html>",
              test::ReadFile(tree.Path("list.html")));
}

TEST(SaveFile, AsksBeforeReplacing) {
    struct Row {
        SaveFileUi::Answer answer;
        bool replaced;
    };
    const Row rows[] = {
        {SaveFileUi::Answer::Yes, true}, {SaveFileUi::Answer::No, false}, {SaveFileUi::Answer::Cancel, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        test::TempTree tree;
        tree.Text("list.txt", "an older and longer list");
        Document doc;
        doc.AddNormalText("new");
        ScriptedUi ui;
        ui.choice = SaveFileUi::Choice{tree.Path("list.txt"), 1};
        ui.answer = row.answer;
        EXPECT_EQ(row.replaced ? tree.Path("list.txt") : "", SaveFile(doc, false, ListFormat::Normal, ui));
        EXPECT_EQ(std::vector<std::string>{tree.Path("list.txt") + " already exists.\rDo you want to replace it?"},
                  ui.questions);
        EXPECT_EQ(row.replaced ? "new" : "an older and longer list", test::ReadFile(tree.Path("list.txt")));
        EXPECT_EQ(std::vector<std::string>{"list.txt"},
                  FilesIn(tree.Root()));  // no temporary file left
    }
}

TEST(SaveFile, CancelWritesNothing) {
    test::TempTree tree;
    Document doc;
    doc.AddNormalText("x");
    ScriptedUi ui;
    EXPECT_EQ("", SaveFile(doc, false, ListFormat::Normal, ui));
    EXPECT_TRUE(FilesIn(tree.Root()).empty());
}

TEST(SaveFile, EmptyDocumentGivesAnEmptyFile) {
    test::TempTree tree;
    Document doc;
    ScriptedUi ui;
    ui.choice = SaveFileUi::Choice{tree.Path("empty.txt"), 1};
    SaveFile(doc, false, ListFormat::Normal, ui);
    EXPECT_EQ("", test::ReadFile(tree.Path("empty.txt")));
    EXPECT_TRUE(std::filesystem::exists(tree.Path("empty.txt")));
}

TEST(SaveFile, FailureIsReportedAndNoNameReturned) {
    test::TempTree tree;
    Document doc;
    doc.AddNormalText("x");
    ScriptedUi ui;
    ui.choice = SaveFileUi::Choice{tree.Path("missing/list.txt"), 1};
    EXPECT_EQ("", SaveFile(doc, false, ListFormat::Normal, ui));
    ASSERT_EQ(1u, ui.errors.size());
    EXPECT_EQ("cannot write '" + tree.Path("missing/list.txt") + "': No such file or directory", ui.errors[0]);
}

TEST(AtomicFile, UncommittedWriteLeavesTheOldFile) {
    test::TempTree tree;
    tree.Text("list.txt", "good list");
    {
        AtomicFile file(tree.Path("list.txt"));
        ASSERT_EQ(5, ::write(file.Fd(), "half ", 5));
    }  // e.g. the writer threw
    EXPECT_EQ("good list", test::ReadFile(tree.Path("list.txt")));
    EXPECT_EQ(std::vector<std::string>{"list.txt"}, FilesIn(tree.Root()));
}

TEST(AtomicFile, ReplacingKeepsPermissionsAndWritesThroughLinks) {
    test::TempTree tree;
    tree.Text("real.txt", "old");
    ::chmod(tree.Path("real.txt").c_str(), 0640);
    tree.Symlink("real.txt", "link.txt");
    Document doc;
    doc.AddNormalText("new");
    SaveAsPlainText(doc, tree.Path("link.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(tree.Path("link.txt")));
    EXPECT_EQ("new", test::ReadFile(tree.Path("real.txt")));
    struct stat st {};
    ASSERT_EQ(0, ::stat(tree.Path("real.txt").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
}

}  // namespace
}  // namespace tabulo
