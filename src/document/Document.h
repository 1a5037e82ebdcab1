#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/StyleConversion.h"
#include "document/Styles.h"
#include "engine/OutputDocument.h"

namespace tabulo {

struct TextRun {
    std::string text;
    int style = 0;  // index into the document's text styles

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// A paragraph of the document holds at least one run; only a paragraph without text holds an
// empty one (it keeps the style of text typed there). Neighbouring runs differ in style.
struct Paragraph {
    std::vector<TextRun> runs;
    int paragraphStyle = 0;

    std::string Text() const;
    std::size_t Size() const;  // length of the text in bytes

    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// A place in the document: a paragraph and a byte offset into its text, on a character boundary.
struct DocPosition {
    std::size_t paragraph = 0;
    std::size_t offset = 0;

    friend bool operator==(const DocPosition&, const DocPosition&) = default;
    friend bool operator<(const DocPosition& a, const DocPosition& b) {
        return a.paragraph != b.paragraph ? a.paragraph < b.paragraph : a.offset < b.offset;
    }
};

struct DocRange {
    DocPosition start;
    DocPosition end;

    bool Empty() const { return start == end; }
    friend bool operator==(const DocRange&, const DocRange&) = default;
};

// The selection: the anchor stays where it began, the caret is where the text cursor is.
struct Selection {
    DocPosition anchor;
    DocPosition caret;

    bool Empty() const { return anchor == caret; }
    DocRange Range() const { return anchor < caret ? DocRange{anchor, caret} : DocRange{caret, anchor}; }
    friend bool operator==(const Selection&, const Selection&) = default;
};

// Told of every change, on the thread that made it, so a view can follow the document.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    // Paragraphs [first, first + removed) were replaced by `inserted` new ones.
    virtual void ParagraphsReplaced(std::size_t /*first*/, std::size_t /*removed*/, std::size_t /*inserted*/) {}
    virtual void SelectionChanged() {}
    // The style of the text typed next changed.
    virtual void CurrentTextStyleChanged(int /*style*/) {}
    // A text or paragraph style was appended or changed.
    virtual void StylesChanged() {}
    // Margins, background or layout changed; also after the listing asks for a new layout.
    virtual void LayoutChanged() {}
};

// The list in memory: paragraphs of styled runs, the two style tables, the margins and the
// background colour, with the editing state an editor works on (selection, the style of the text
// typed next, undo). The listing appends to it, the editor edits it, the writers read it.
class Document : public OutputDocument {
  public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The listing's operations. Appending and clearing are not undone; clearing forgets the undo
    // steps and puts the caret at the start.
    void AppendParagraph(std::string_view text, int textStyle) override;
    void Clear() override;
    void LayOut() override;
    void SetLeftMargin(int margin) override;
    void SetListingFont(const std::string& name, int size, std::uint32_t color) override;

    const std::vector<Paragraph>& Paragraphs() const { return paragraphs_; }
    // True when the document holds no paragraphs (nothing to print).
    bool Empty() const;
    DocPosition End() const;
    // The nearest valid position: inside the document and on a character boundary.
    DocPosition Clamp(DocPosition p) const;

    const std::vector<TextStyle>& TextStyles() const { return textStyles_; }
    const std::vector<ParagraphStyle>& ParagraphStyles() const { return paragraphStyles_; }
    // The style tables only grow; each append returns the new style's number.
    int AppendTextStyle(TextStyle style);
    int AppendParagraphStyle(ParagraphStyle style);

    int LeftMargin() const { return leftMargin_; }
    int RightMargin() const { return rightMargin_; }
    int BottomMargin() const { return bottomMargin_; }
    Color BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(Color c);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // The paragraphs' texts joined by `lineBreak` (no break after the last one).
    std::string PlainText(std::string_view lineBreak = "\r\n") const;
    // The text of a range, its paragraphs joined by `lineBreak`.
    std::string Text(DocRange range, std::string_view lineBreak = "\r") const;
    // The paragraphs of a range, cut at its ends, with their styles. A range that ends at the start
    // of a paragraph gives an empty last paragraph without runs (the break before it).
    std::vector<Paragraph> Fragment(DocRange range) const;
    // The text style of the character before `p` (at a paragraph's start: of its first character).
    int StyleAt(DocPosition p) const;

    // Selection and the style of the text typed next, which follows the caret.
    const Selection& GetSelection() const { return selection_; }
    void Select(DocPosition anchor, DocPosition caret);
    void SetCaret(DocPosition p) { Select(p, p); }
    void SelectAll();
    bool HasSelection() const { return !selection_.Empty(); }
    std::string SelectedText() const { return Text(selection_.Range()); }
    int CurrentTextStyle() const { return currentStyle_; }

    // Editing at given places; each call is one undo step and keeps the selection valid. Text is
    // cut into paragraphs at its line breaks (CR LF, LF CR, CR, LF). Each returns where the new
    // content lies.
    DocRange Insert(DocPosition at, std::string_view text, int textStyle);
    DocRange InsertFragment(DocPosition at, const std::vector<Paragraph>& fragment);
    void Delete(DocRange range);
    DocRange Replace(DocRange range, std::string_view text, int textStyle);

    // Editing at the selection: the new content replaces the selection and the caret goes after it.
    // Text takes the style of the text typed next.
    DocRange InsertText(std::string_view text);
    DocRange InsertFragmentAtSelection(const std::vector<Paragraph>& fragment);
    void DeleteSelection();
    // Reads RTF and puts it in place of the selection, appending the styles it needs.
    DocRange PasteRtf(std::string_view rtf);

    // Converts the style of every run in the selection, cutting runs at its ends; with nothing
    // selected, converts the style of the text typed next. `convert` is called once for each
    // distinct style and returns the style that replaces it.
    void ApplyStyleConversion(const std::function<int(int)>& convert);
    void ApplyStyleConversion(const StyleConversion& conversion);
    void ConvertRange(DocRange range, const std::function<int(int)>& convert);

    // Replaces the whole content by an RTF document read with fresh style tables; not undoable.
    void LoadRtf(std::string_view rtf);

    // Undo of the editing operations above; a step restores the selection it started from.
    bool CanUndo() const { return !undo_.empty(); }
    bool Undo();
    // Edits made while a group is open form one undo step (groups nest).
    void BeginUndoGroup();
    void EndUndoGroup();

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);

  private:
    struct SpanEdit {
        std::size_t first = 0;
        std::vector<Paragraph> removed;
        std::size_t inserted = 0;
    };
    struct UndoStep {
        std::vector<SpanEdit> edits;
        Selection selection;
        int currentStyle = 0;
    };

    DocRange ReplaceRange(DocRange range, std::vector<Paragraph> fragment, int fallbackStyle);
    void ReplaceSpan(std::size_t first, std::size_t count, std::vector<Paragraph> replacement);
    void SetSelectionAndStyle(Selection s, int currentStyle);
    void ClampSelection();
    void NotifyParagraphs(std::size_t first, std::size_t removed, std::size_t inserted);
    void NotifyStyles();
    void NotifyLayout();
    template <typename F>
    void Notify(F f);

    std::vector<Paragraph> paragraphs_;
    std::vector<TextStyle> textStyles_;
    std::vector<ParagraphStyle> paragraphStyles_;
    int leftMargin_ = 15;
    int rightMargin_ = 0;
    int bottomMargin_ = 50;
    Color backgroundColor_ = kColorWindow;
    bool readOnly_ = false;

    Selection selection_;
    int currentStyle_ = 0;

    std::vector<UndoStep> undo_;
    int groupDepth_ = 0;
    bool groupStarted_ = false;

    std::vector<DocumentObserver*> observers_;
};

// Cuts a text at its line breaks: CR LF and LF CR count as one break, as do CR and LF alone.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace tabulo
