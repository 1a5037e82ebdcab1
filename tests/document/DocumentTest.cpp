#include <gtest/gtest.h>

#include "Printers.h"
#include "document/Document.h"

namespace tabulo {
namespace {

std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Paragraph& p : doc.Paragraphs())
        lines.push_back(p.Text());
    return lines;
}

// A document of the given lines in "Normal text".
void Fill(Document& doc, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        doc.AddNormalText(line);
}

TEST(DocumentEditing, EditsAcrossParagraphs) {
    struct Row {
        const char* name;
        DocRange range;
        const char* text;  // replaces the range
        std::vector<std::string> expected;
        DocRange inserted;
    };
    const Row rows[] = {
        {"insert in the middle", {{0, 2}, {0, 2}}, "XY", {"abXYc", "def", "ghi"}, {{0, 2}, {0, 4}}},
        {"insert lines", {{1, 1}, {1, 1}}, "1\r\n2\n3", {"abc", "d1", "2", "3ef", "ghi"}, {{1, 1}, {3, 1}}},
        {"insert a trailing break", {{2, 3}, {2, 3}}, "\r", {"abc", "def", "ghi", ""}, {{2, 3}, {3, 0}}},
        {"delete across paragraphs", {{0, 1}, {2, 1}}, "", {"ahi"}, {{0, 1}, {0, 1}}},
        {"delete a whole line with its break", {{1, 0}, {2, 0}}, "", {"abc", "ghi"}, {{1, 0}, {1, 0}}},
        {"replace across paragraphs", {{0, 3}, {1, 0}}, " + ", {"abc + def", "ghi"}, {{0, 3}, {0, 6}}},
        {"range given backwards", {{2, 1}, {0, 1}}, "-", {"a-hi"}, {{0, 1}, {0, 2}}},
        {"positions beyond the end are clamped", {{9, 9}, {9, 9}}, "!", {"abc", "def", "ghi!"}, {{2, 3}, {2, 4}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Document doc;
        Fill(doc, {"abc", "def", "ghi"});
        EXPECT_EQ(row.inserted, doc.Replace(row.range, row.text, kNormalText));
        EXPECT_EQ(row.expected, Lines(doc));
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ((std::vector<std::string>{"abc", "def", "ghi"}), Lines(doc));
    }
}

TEST(DocumentEditing, TypingIntoAnEmptyDocument) {
    Document doc;
    doc.InsertText("first\rsecond");
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), Lines(doc));
    EXPECT_EQ((Selection{{1, 6}, {1, 6}}), doc.GetSelection());
    doc.SelectAll();
    doc.DeleteSelection();
    ASSERT_EQ(1u, doc.Paragraphs().size());
    EXPECT_EQ((std::vector<TextRun>{{"", kNormalText}}), doc.Paragraphs()[0].runs);
}

TEST(DocumentEditing, DeletingKeepsStylesAndMergesRuns) {
    Document doc;
    doc.AddBoldText("bold");
    doc.AddNormalText("plain");
    doc.Delete({{0, 0}, {0, 4}});
    EXPECT_EQ((std::vector<TextRun>{{"", kBoldText}}),
              doc.Paragraphs()[0].runs);  // typed text stays bold
    doc.Delete({{0, 0}, {1, 0}});
    EXPECT_EQ((std::vector<TextRun>{{"plain", kNormalText}}), doc.Paragraphs()[0].runs);

    Document mixed;
    mixed.AddNormalText("ab");
    mixed.Insert({0, 1}, "XX", kBoldText);
    mixed.Delete({{0, 1}, {0, 3}});
    EXPECT_EQ((std::vector<TextRun>{{"ab", kNormalText}}), mixed.Paragraphs()[0].runs);
}

TEST(DocumentEditing, TextAndFragmentOfARange) {
    Document doc;
    Fill(doc, {"alpha", "beta", "gamma"});
    EXPECT_EQ("pha\rbeta\rga", doc.Text({{0, 2}, {2, 2}}));
    EXPECT_EQ("alpha\r\nbeta\r\ngamma", doc.PlainText());
    const std::vector<Paragraph> fragment = doc.Fragment({{1, 2}, {2, 0}});
    ASSERT_EQ(2u, fragment.size());
    EXPECT_EQ("ta", fragment[0].Text());
    EXPECT_TRUE(fragment[1].runs.empty());  // the break before "gamma"
}

TEST(DocumentEditing, PositionsStayOnCharacterBoundaries) {
    Document doc;
    doc.AddNormalText("a\xC3\xA9z");  // aéz
    EXPECT_EQ((DocPosition{0, 1}), doc.Clamp({0, 2}));
    EXPECT_EQ((DocPosition{0, 4}), doc.Clamp({0, 40}));
    doc.Delete({{0, 1}, {0, 3}});
    EXPECT_EQ("az", doc.Paragraphs()[0].Text());
}

TEST(DocumentEditing, UndoRestoresTextSelectionAndStyle) {
    Document doc;
    Fill(doc, {"one", "two"});
    doc.Select({0, 0}, {0, 3});
    doc.InsertText("1");
    doc.SetCaret({1, 3});
    doc.InsertText("\r\rthree");
    EXPECT_EQ((std::vector<std::string>{"1", "two", "", "three"}), Lines(doc));

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ((std::vector<std::string>{"1", "two"}), Lines(doc));
    EXPECT_EQ((Selection{{1, 3}, {1, 3}}), doc.GetSelection());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Lines(doc));
    EXPECT_EQ((Selection{{0, 0}, {0, 3}}), doc.GetSelection());
    EXPECT_FALSE(doc.Undo());
}

TEST(DocumentEditing, GroupedEditsUndoAsOneStep) {
    Document doc;
    Fill(doc, {"a a a"});
    doc.BeginUndoGroup();
    doc.Replace({{0, 0}, {0, 1}}, "bb", kNormalText);
    doc.BeginUndoGroup();
    doc.Replace({{0, 3}, {0, 4}}, "bb", kNormalText);
    doc.EndUndoGroup();
    doc.Insert({0, 0}, "x\r", kNormalText);
    doc.EndUndoGroup();
    EXPECT_EQ((std::vector<std::string>{"x", "bb bb a"}), Lines(doc));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ((std::vector<std::string>{"a a a"}), Lines(doc));
    EXPECT_FALSE(doc.CanUndo());
}

TEST(DocumentEditing, ClearingForgetsUndoAndTheSelection) {
    Document doc;
    Fill(doc, {"abc"});
    doc.InsertText("x");
    doc.SelectAll();
    doc.Clear();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(Selection{}, doc.GetSelection());
    EXPECT_TRUE(doc.Empty());
}

TEST(DocumentEditing, ObserversHearEveryChange) {
    struct Recorder : DocumentObserver {
        std::vector<std::string> events;
        void ParagraphsReplaced(std::size_t first, std::size_t removed, std::size_t inserted) override {
            events.push_back("paragraphs " + std::to_string(first) + " -" + std::to_string(removed) + " +" +
                             std::to_string(inserted));
        }
        void SelectionChanged() override { events.push_back("selection"); }
        void CurrentTextStyleChanged(int style) override { events.push_back("style " + std::to_string(style)); }
        void StylesChanged() override { events.push_back("styles"); }
        void LayoutChanged() override { events.push_back("layout"); }
    } recorder;
    Document doc;
    doc.AddObserver(&recorder);
    doc.AddBoldText("a\rb");
    doc.SetCaret({1, 1});
    doc.InsertText("c\rd");
    doc.ApplyStyleConversion(StyleConversion::Emphasis(kItalicOn));
    doc.SetLeftMargin(20);
    doc.RemoveObserver(&recorder);
    doc.Clear();
    const std::vector<std::string> expected = {"paragraphs 0 -0 +1",
                                               "paragraphs 1 -0 +1",
                                               "selection",
                                               "style 1",
                                               "paragraphs 1 -1 +2",
                                               "selection",
                                               "styles",
                                               "style 10",
                                               "layout"};
    EXPECT_EQ(expected, recorder.events);
}

}  // namespace
}  // namespace tabulo
