#include <gtest/gtest.h>

#include "Printers.h"
#include "document/FindReplace.h"

namespace tabulo {
namespace {

class RecordedMessages : public SearchMessages {
  public:
    std::vector<std::string> shown;
    void Information(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + ": " + text);
    }
    void Plain(const std::string& text) override { shown.push_back(text); }
};

std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Paragraph& p : doc.Paragraphs())
        lines.push_back(p.Text());
    return lines;
}

TEST(TextSearch, FindsWithTheThreeOptionsWithoutWrapping) {
    Document doc;
    doc.AddNormalText("Alpha beta alphabet");
    doc.AddNormalText("\xC3\x84rger \xC3\xA4rger_x alpha");  // Ärger ärger_x alpha
    struct Row {
        const char* name;
        const char* what;
        SearchOptions options;
        DocPosition from;
        std::optional<DocRange> expected;
    };
    const Row rows[] = {
        {"any case from the start", "alpha", {}, {0, 0}, DocRange{{0, 0}, {0, 5}}},
        {"match case skips Alpha", "alpha", {true}, {0, 0}, DocRange{{0, 11}, {0, 16}}},
        {"whole word skips alphabet", "alpha", {false, true, true}, {0, 1}, DocRange{{1, 16}, {1, 21}}},
        {"case folding beyond ASCII", "\xC3\xA4RGER", {}, {0, 0}, DocRange{{1, 0}, {1, 6}}},
        {"underscore joins words", "\xC3\xA4rger", {false, true, true}, {1, 2}, std::nullopt},
        {"no wrap after the last match", "alpha", {}, {1, 17}, std::nullopt},
        {"backward ends before the start", "alpha", {false, false}, {1, 20}, DocRange{{0, 11}, {0, 16}}},
        {"backward match case", "Alpha", {true, false}, {1, 0}, DocRange{{0, 0}, {0, 5}}},
        {"backward no wrap", "beta", {false, false}, {0, 9}, std::nullopt},
        {"empty search text", "", {}, {0, 0}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, FindText(doc, row.what, row.options, row.from));
    }
}

TEST(FindReplace, DialogsArePrefilledFromTheSelection) {
    Document doc;
    doc.AddNormalText("say alpha beta");
    doc.AddNormalText("second line");
    RecordedMessages messages;
    FindReplace dialogs(doc, messages);

    doc.Select({0, 4}, {0, 14});
    dialogs.Find1Click();
    EXPECT_EQ("alpha beta", dialogs.Find().findText);
    EXPECT_TRUE(dialogs.Find().open);

    doc.Select({0, 4}, {1, 6});
    dialogs.Searchandreplace1Click();
    EXPECT_EQ("alpha beta", dialogs.Replace().findText);  // only the first line's part
    EXPECT_TRUE(dialogs.Replace().open);
    EXPECT_FALSE(dialogs.Find().open);

    doc.SetCaret({1, 0});
    dialogs.Find().findText = "kept";
    dialogs.Find1Click();
    EXPECT_EQ("kept", dialogs.Find().findText);
    EXPECT_FALSE(dialogs.Replace().open);
}

TEST(FindReplace, NotFoundMessages) {
    Document doc;
    doc.AddNormalText("text");
    RecordedMessages messages;
    FindReplace dialogs(doc, messages);
    dialogs.Find().findText = "missing";
    EXPECT_FALSE(dialogs.FindDialogFind());
    dialogs.Replace().findText = "missing";
    EXPECT_FALSE(dialogs.ReplaceDialogFind());
    EXPECT_EQ((std::vector<std::string>{"Search: No search match has been found.", "String not found"}),
              messages.shown);
    EXPECT_EQ(Selection{}, doc.GetSelection());
}

TEST(FindReplace, ReplaceNeedsTheExactTextSelected) {
    Document doc;
    doc.AddNormalText("Abc abc");
    RecordedMessages messages;
    FindReplace dialogs(doc, messages);
    dialogs.Replace().findText = "abc";
    dialogs.Replace().replaceText = "X";
    doc.Select({0, 0}, {0, 3});
    EXPECT_FALSE(dialogs.ReplaceDialogReplace());  // "Abc" is not exactly "abc"
    EXPECT_EQ((Selection{{0, 4}, {0, 7}}), doc.GetSelection());
    EXPECT_TRUE(dialogs.ReplaceDialogReplace());
    EXPECT_EQ("Abc X", doc.Paragraphs()[0].Text());
    EXPECT_EQ(std::vector<std::string>{"String not found"}, messages.shown);
    doc.Undo();
    EXPECT_EQ("Abc abc", doc.Paragraphs()[0].Text());
}

TEST(FindReplace, ReplaceUpwardsMovesOnBeforeTheInsertedText) {
    Document doc;
    doc.AddNormalText("x x");
    doc.SetCaret({0, 3});
    RecordedMessages messages;
    FindReplace dialogs(doc, messages);
    dialogs.Replace().findText = "x";
    dialogs.Replace().replaceText = "<x>";
    dialogs.Replace().options.down = false;
    ASSERT_TRUE(dialogs.ReplaceDialogFind());
    EXPECT_TRUE(dialogs.ReplaceDialogReplace());
    EXPECT_EQ("x <x>", doc.Paragraphs()[0].Text());
    EXPECT_EQ((Selection{{0, 0}, {0, 1}}), doc.GetSelection());  // not the x just inserted
    EXPECT_TRUE(dialogs.ReplaceDialogReplace());
    EXPECT_EQ("<x> <x>", doc.Paragraphs()[0].Text());
    EXPECT_EQ(std::vector<std::string>{"String not found"}, messages.shown);
}

TEST(FindReplace, ReplaceAllGoesFromTheCaretWithoutWrapping) {
    struct Row {
        const char* name;
        DialogOptions options;
        Selection selection;
        const char* find;
        const char* replace;
        std::vector<std::string> expected;
        int count;
    };
    const Row rows[] = {
        {"downwards from the caret", {}, {{0, 2}, {0, 2}}, "x", "yy", {"x yy", "yy-yy"}, 3},
        {"selection counts first", {}, {{0, 0}, {0, 1}}, "x", "y", {"y y", "y-y"}, 4},
        {"any case", {}, {{0, 0}, {0, 0}}, "X", "z", {"z z", "z-z"}, 4},
        {"match case finds none", {true}, {{0, 0}, {0, 0}}, "X", "z", {"x x", "x-x"}, 0},
        {"upwards from the caret", {false, false}, {{1, 1}, {1, 1}}, "x", "ab", {"ab ab", "ab-x"}, 3},
        {"upwards, replacement holds the text",
         {false, false},
         {{1, 3}, {1, 3}},
         "x",
         "<x>",
         {"<x> <x>", "<x>-<x>"},
         4},
        {"downwards, replacement holds the text", {}, {{0, 0}, {0, 0}}, "x", "xx", {"xx xx", "xx-xx"}, 4},
        {"deleting", {}, {{0, 0}, {0, 0}}, "x", "", {" ", "-"}, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Document doc;
        doc.AddNormalText("x x");
        doc.AddNormalText("x-x");
        doc.Select(row.selection.anchor, row.selection.caret);
        RecordedMessages messages;
        FindReplace dialogs(doc, messages);
        dialogs.Replace().findText = row.find;
        dialogs.Replace().replaceText = row.replace;
        dialogs.Replace().options = row.options;
        EXPECT_EQ(row.count, dialogs.ReplaceDialogReplaceAll());
        EXPECT_EQ(row.expected, Lines(doc));
        EXPECT_EQ(std::vector<std::string>{"Search and Replace: There were " + std::to_string(row.count) +
                                           " replacements made."},
                  messages.shown);
        // One undo step takes back the whole replace-all.
        if (row.count > 0) doc.Undo();
        EXPECT_EQ((std::vector<std::string>{"x x", "x-x"}), Lines(doc));
    }
}

}  // namespace
}  // namespace tabulo
