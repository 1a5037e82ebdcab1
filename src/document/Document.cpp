#include "document/Document.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

#include "document/RtfReader.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

// Undo keeps this many steps; older ones are forgotten.
constexpr std::size_t kUndoLimit = 1000;

// The runs of a paragraph before and after a byte offset.
std::pair<std::vector<TextRun>, std::vector<TextRun>> SplitRuns(const Paragraph& p, std::size_t offset) {
    std::pair<std::vector<TextRun>, std::vector<TextRun>> parts;
    std::size_t pos = 0;
    for (const TextRun& run : p.runs) {
        const std::size_t end = pos + run.text.size();
        if (end <= offset) {
            parts.first.push_back(run);
        } else if (pos >= offset) {
            parts.second.push_back(run);
        } else {
            parts.first.push_back({run.text.substr(0, offset - pos), run.style});
            parts.second.push_back({run.text.substr(offset - pos), run.style});
        }
        pos = end;
    }
    return parts;
}

// Drops empty runs and joins neighbours of one style; a paragraph left without text keeps one
// empty run, in the style of the first run it had, else in `fallbackStyle`.
void Normalize(Paragraph& p, int fallbackStyle) {
    const int emptyStyle = p.runs.empty() ? fallbackStyle : p.runs.front().style;
    std::vector<TextRun> runs;
    runs.reserve(p.runs.size());
    for (TextRun& run : p.runs) {
        if (run.text.empty()) continue;
        if (!runs.empty() && runs.back().style == run.style) {
            runs.back().text += run.text;
        } else {
            runs.push_back(std::move(run));
        }
    }
    if (runs.empty()) runs.push_back({std::string(), emptyStyle});
    p.runs = std::move(runs);
}

std::vector<Paragraph> TextFragment(std::string_view text, int textStyle, int paragraphStyle) {
    std::vector<Paragraph> fragment;
    for (std::string_view line : SplitLines(text)) {
        fragment.push_back(Paragraph{{TextRun{std::string(line), textStyle}}, paragraphStyle});
    }
    return fragment;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string Paragraph::Text() const {
    if (runs.size() == 1) return runs.front().text;
    std::string text;
    text.reserve(Size());
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

std::size_t Paragraph::Size() const {
    std::size_t size = 0;
    for (const TextRun& run : runs)
        size += run.text.size();
    return size;
}

Document::Document() : textStyles_(DefaultTextStyles()), paragraphStyles_(DefaultParagraphStyles()) {}

// --- the listing's operations ---

void Document::AppendParagraph(std::string_view text, int textStyle) {
    Paragraph p;
    p.runs.push_back(TextRun{std::string(text), textStyle});
    paragraphs_.push_back(std::move(p));
    if (!observers_.empty()) NotifyParagraphs(paragraphs_.size() - 1, 0, 1);
}

void Document::Clear() {
    const std::size_t removed = paragraphs_.size();
    paragraphs_.clear();
    undo_.clear();
    groupStarted_ = false;
    NotifyParagraphs(0, removed, 0);
    SetSelectionAndStyle({}, 0);
}

void Document::LayOut() {
    NotifyLayout();
}

void Document::SetLeftMargin(int margin) {
    leftMargin_ = margin;
    NotifyLayout();
}

void Document::SetBackgroundColor(Color c) {
    backgroundColor_ = c;
    NotifyLayout();
}

void Document::SetListingFont(const std::string& name, int size, std::uint32_t color) {
    for (int i = 0; i <= kArialBold && i < static_cast<int>(textStyles_.size()); ++i) {
        TextStyle& s = textStyles_[static_cast<std::size_t>(i)];
        s.fontName = name;
        s.size = size;
        s.color = color;
    }
    NotifyStyles();
}

int Document::AppendTextStyle(TextStyle style) {
    textStyles_.push_back(std::move(style));
    NotifyStyles();
    return static_cast<int>(textStyles_.size() - 1);
}

int Document::AppendParagraphStyle(ParagraphStyle style) {
    paragraphStyles_.push_back(std::move(style));
    NotifyStyles();
    return static_cast<int>(paragraphStyles_.size() - 1);
}

// --- reading ---

bool Document::Empty() const {
    return paragraphs_.empty();
}

DocPosition Document::End() const {
    if (paragraphs_.empty()) return {};
    return {paragraphs_.size() - 1, paragraphs_.back().Size()};
}

DocPosition Document::Clamp(DocPosition p) const {
    if (paragraphs_.empty()) return {};
    if (p.paragraph >= paragraphs_.size()) return End();
    const std::string text = paragraphs_[p.paragraph].Text();
    if (p.offset >= text.size()) return {p.paragraph, text.size()};
    std::size_t boundary = 0;
    while (boundary < text.size()) {
        const std::size_t next = boundary + utf8::CharLength(text, boundary);
        if (next > p.offset) break;
        boundary = next;
    }
    return {p.paragraph, boundary};
}

std::string Document::PlainText(std::string_view lineBreak) const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) text += lineBreak;
        for (const TextRun& run : paragraphs_[i].runs)
            text += run.text;
    }
    return text;
}

std::string Document::Text(DocRange range, std::string_view lineBreak) const {
    std::string text;
    const std::vector<Paragraph> fragment = Fragment(range);
    for (std::size_t i = 0; i < fragment.size(); ++i) {
        if (i > 0) text += lineBreak;
        for (const TextRun& run : fragment[i].runs)
            text += run.text;
    }
    return text;
}

std::vector<Paragraph> Document::Fragment(DocRange range) const {
    std::vector<Paragraph> fragment;
    if (paragraphs_.empty()) return fragment;
    range = {Clamp(range.start), Clamp(range.end)};
    if (range.end < range.start) std::swap(range.start, range.end);
    for (std::size_t i = range.start.paragraph; i <= range.end.paragraph; ++i) {
        Paragraph p = paragraphs_[i];
        if (i == range.end.paragraph) p.runs = SplitRuns(p, range.end.offset).first;
        if (i == range.start.paragraph) p.runs = SplitRuns(p, range.start.offset).second;
        fragment.push_back(std::move(p));
    }
    return fragment;
}

int Document::StyleAt(DocPosition p) const {
    if (paragraphs_.empty()) return currentStyle_;
    p = Clamp(p);
    const Paragraph& para = paragraphs_[p.paragraph];
    std::size_t pos = 0;
    for (const TextRun& run : para.runs) {
        pos += run.text.size();
        if (p.offset <= pos && (p.offset > pos - run.text.size() || p.offset == 0)) return run.style;
    }
    return para.runs.empty() ? 0 : para.runs.back().style;
}

// --- selection ---

void Document::Select(DocPosition anchor, DocPosition caret) {
    Selection s{Clamp(anchor), Clamp(caret)};
    SetSelectionAndStyle(s, StyleAt(s.caret));
}

void Document::SelectAll() {
    Select({}, End());
}

void Document::SetSelectionAndStyle(Selection s, int currentStyle) {
    const bool selectionChanged = s != selection_;
    const bool styleChanged = currentStyle != currentStyle_;
    selection_ = s;
    currentStyle_ = currentStyle;
    if (selectionChanged) Notify([](DocumentObserver* o) { o->SelectionChanged(); });
    if (styleChanged) Notify([currentStyle](DocumentObserver* o) { o->CurrentTextStyleChanged(currentStyle); });
}

void Document::ClampSelection() {
    const Selection s{Clamp(selection_.anchor), Clamp(selection_.caret)};
    if (s != selection_) SetSelectionAndStyle(s, currentStyle_);
}

// --- editing ---

DocRange Document::ReplaceRange(DocRange range, std::vector<Paragraph> fragment, int fallbackStyle) {
    range = {Clamp(range.start), Clamp(range.end)};
    if (range.end < range.start) std::swap(range.start, range.end);
    std::vector<TextRun> head;
    std::vector<TextRun> tail;
    int firstStyle = 0;
    int lastStyle = 0;
    std::size_t count = 0;
    if (!paragraphs_.empty()) {
        const Paragraph& first = paragraphs_[range.start.paragraph];
        const Paragraph& last = paragraphs_[range.end.paragraph];
        head = SplitRuns(first, range.start.offset).first;
        tail = SplitRuns(last, range.end.offset).second;
        firstStyle = first.paragraphStyle;
        lastStyle = last.paragraphStyle;
        count = range.end.paragraph - range.start.paragraph + 1;
    }
    if (fragment.empty()) fragment.push_back(Paragraph{{}, firstStyle});

    std::size_t headSize = 0;
    for (const TextRun& run : head)
        headSize += run.text.size();
    const std::size_t n = fragment.size();
    const std::size_t lastSize = fragment.back().Size() + (n == 1 ? headSize : 0);

    fragment.front().runs.insert(fragment.front().runs.begin(), head.begin(), head.end());
    fragment.back().runs.insert(fragment.back().runs.end(), tail.begin(), tail.end());
    if (n == 1) {
        fragment.front().paragraphStyle = firstStyle;
    } else {
        fragment.back().paragraphStyle = lastStyle;
    }
    for (Paragraph& p : fragment)
        Normalize(p, fallbackStyle);

    const std::size_t first = range.start.paragraph;
    ReplaceSpan(first, count, std::move(fragment));
    ClampSelection();
    return {{first, headSize}, {first + n - 1, lastSize}};
}

void Document::ReplaceSpan(std::size_t first, std::size_t count, std::vector<Paragraph> replacement) {
    const std::size_t inserted = replacement.size();
    SpanEdit edit;
    edit.first = first;
    edit.inserted = inserted;
    // Paragraphs replaced one for one are swapped in place, so an edit of one line of a long
    // list does not move the whole list.
    const std::size_t common = std::min(count, replacement.size());
    edit.removed.reserve(count);
    for (std::size_t i = 0; i < common; ++i) {
        edit.removed.push_back(std::move(paragraphs_[first + i]));
        paragraphs_[first + i] = std::move(replacement[i]);
    }
    const auto from = paragraphs_.begin() + static_cast<std::ptrdiff_t>(first + common);
    if (count > common) {
        const auto to = from + static_cast<std::ptrdiff_t>(count - common);
        std::move(from, to, std::back_inserter(edit.removed));
        paragraphs_.erase(from, to);
    } else if (replacement.size() > common) {
        paragraphs_.insert(from, std::make_move_iterator(replacement.begin() + static_cast<std::ptrdiff_t>(common)),
                           std::make_move_iterator(replacement.end()));
    }

    if (groupDepth_ > 0 && groupStarted_ && !undo_.empty()) {
        undo_.back().edits.push_back(std::move(edit));
    } else {
        undo_.push_back(UndoStep{{}, selection_, currentStyle_});
        undo_.back().edits.push_back(std::move(edit));
        if (groupDepth_ > 0) groupStarted_ = true;
        if (undo_.size() > kUndoLimit) undo_.erase(undo_.begin());
    }
    NotifyParagraphs(first, count, inserted);
}

DocRange Document::Insert(DocPosition at, std::string_view text, int textStyle) {
    at = Clamp(at);
    const int paragraphStyle = paragraphs_.empty() ? 0 : paragraphs_[at.paragraph].paragraphStyle;
    return ReplaceRange({at, at}, TextFragment(text, textStyle, paragraphStyle), textStyle);
}

DocRange Document::InsertFragment(DocPosition at, const std::vector<Paragraph>& fragment) {
    at = Clamp(at);
    return ReplaceRange({at, at}, fragment, StyleAt(at));
}

void Document::Delete(DocRange range) {
    if (range.Empty() || paragraphs_.empty()) return;
    const DocPosition start = Clamp(std::min(range.start, range.end));
    // An emptied paragraph keeps the style of the first character deleted.
    const std::string text = paragraphs_[start.paragraph].Text();
    const std::size_t next =
        start.offset < text.size() ? start.offset + utf8::CharLength(text, start.offset) : start.offset;
    ReplaceRange(range, {}, StyleAt({start.paragraph, next}));
}

DocRange Document::Replace(DocRange range, std::string_view text, int textStyle) {
    const DocPosition start = Clamp(std::min(range.start, range.end));
    const int paragraphStyle = paragraphs_.empty() ? 0 : paragraphs_[start.paragraph].paragraphStyle;
    return ReplaceRange(range, TextFragment(text, textStyle, paragraphStyle), textStyle);
}

DocRange Document::InsertText(std::string_view text) {
    const int style = currentStyle_;
    const DocRange inserted = Replace(selection_.Range(), text, style);
    SetSelectionAndStyle({inserted.end, inserted.end}, text.empty() ? StyleAt(inserted.end) : style);
    return inserted;
}

DocRange Document::InsertFragmentAtSelection(const std::vector<Paragraph>& fragment) {
    const DocRange inserted = ReplaceRange(selection_.Range(), fragment, currentStyle_);
    SetSelectionAndStyle({inserted.end, inserted.end}, StyleAt(inserted.end));
    return inserted;
}

void Document::DeleteSelection() {
    if (!HasSelection()) return;
    const DocPosition start = selection_.Range().start;
    Delete(selection_.Range());
    SetSelectionAndStyle({start, start}, StyleAt(start));
}

DocRange Document::PasteRtf(std::string_view rtf) {
    const std::size_t textStyles = textStyles_.size();
    const std::size_t paragraphStyles = paragraphStyles_.size();
    RtfContent content = ReadRtf(rtf, textStyles_, paragraphStyles_);
    if (textStyles_.size() != textStyles || paragraphStyles_.size() != paragraphStyles) NotifyStyles();
    if (content.paragraphs.empty()) return {selection_.caret, selection_.caret};
    return InsertFragmentAtSelection(content.paragraphs);
}

void Document::LoadRtf(std::string_view rtf) {
    textStyles_ = DefaultTextStyles();
    paragraphStyles_ = DefaultParagraphStyles();
    RtfContent content = ReadRtf(rtf, textStyles_, paragraphStyles_);
    const std::size_t removed = paragraphs_.size();
    paragraphs_ = std::move(content.paragraphs);
    if (content.background) backgroundColor_ = *content.background;
    if (content.leftMargin) leftMargin_ = *content.leftMargin;
    undo_.clear();
    groupStarted_ = false;
    NotifyStyles();
    NotifyParagraphs(0, removed, paragraphs_.size());
    NotifyLayout();
    SetSelectionAndStyle({}, StyleAt({}));
}

// --- styles ---

void Document::ConvertRange(DocRange range, const std::function<int(int)>& convert) {
    if (paragraphs_.empty()) return;
    range = {Clamp(range.start), Clamp(range.end)};
    if (range.end < range.start) std::swap(range.start, range.end);
    if (range.Empty()) return;

    std::map<int, int> converted;
    auto convertOnce = [&](int style) {
        const auto it = converted.find(style);
        if (it != converted.end()) return it->second;
        const int result = convert(style);
        converted.emplace(style, result);
        return result;
    };

    const std::size_t styleCount = textStyles_.size();
    std::vector<Paragraph> result;
    bool changed = false;
    for (std::size_t i = range.start.paragraph; i <= range.end.paragraph; ++i) {
        const Paragraph& old = paragraphs_[i];
        const std::size_t from = i == range.start.paragraph ? range.start.offset : 0;
        const std::size_t to = i == range.end.paragraph ? range.end.offset : old.Size();
        Paragraph p{{}, old.paragraphStyle};
        if (old.Size() == 0) {
            // An empty paragraph is converted when its break lies inside the range.
            const bool covered = i < range.end.paragraph;
            p.runs.push_back({std::string(), covered ? convertOnce(old.runs.front().style) : old.runs.front().style});
        } else {
            std::size_t pos = 0;
            for (const TextRun& run : old.runs) {
                const std::size_t end = pos + run.text.size();
                const std::size_t a = std::clamp(from, pos, end);
                const std::size_t b = std::clamp(to, a, end);
                p.runs.push_back({run.text.substr(0, a - pos), run.style});
                if (b > a) p.runs.push_back({run.text.substr(a - pos, b - a), convertOnce(run.style)});
                p.runs.push_back({run.text.substr(b - pos), run.style});
                pos = end;
            }
            Normalize(p, old.runs.front().style);
        }
        changed = changed || p != old;
        result.push_back(std::move(p));
    }
    // Views learn of new styles before they meet them in paragraphs.
    if (textStyles_.size() != styleCount) NotifyStyles();
    const std::size_t count = result.size();
    if (changed) ReplaceSpan(range.start.paragraph, count, std::move(result));
}

void Document::ApplyStyleConversion(const std::function<int(int)>& convert) {
    if (HasSelection()) {
        ConvertRange(selection_.Range(), convert);
        SetSelectionAndStyle(selection_, StyleAt(selection_.caret));
        return;
    }
    const std::size_t styleCount = textStyles_.size();
    const int style = convert(currentStyle_);
    if (textStyles_.size() != styleCount) NotifyStyles();
    SetSelectionAndStyle(selection_, style);
}

void Document::ApplyStyleConversion(const StyleConversion& conversion) {
    ApplyStyleConversion(
        [this, &conversion](int style) { return RichEdit1StyleConversion(textStyles_, style, conversion); });
}

// --- undo ---

bool Document::Undo() {
    if (undo_.empty()) return false;
    UndoStep step = std::move(undo_.back());
    undo_.pop_back();
    groupStarted_ = false;
    for (auto it = step.edits.rbegin(); it != step.edits.rend(); ++it) {
        const auto from = paragraphs_.begin() + static_cast<std::ptrdiff_t>(it->first);
        const auto to = from + static_cast<std::ptrdiff_t>(it->inserted);
        if (it->inserted == it->removed.size()) {
            std::move(it->removed.begin(), it->removed.end(), from);
        } else {
            const auto at = paragraphs_.erase(from, to);
            paragraphs_.insert(at, std::make_move_iterator(it->removed.begin()),
                               std::make_move_iterator(it->removed.end()));
        }
        NotifyParagraphs(it->first, it->inserted, it->removed.size());
    }
    SetSelectionAndStyle({Clamp(step.selection.anchor), Clamp(step.selection.caret)}, step.currentStyle);
    return true;
}

void Document::BeginUndoGroup() {
    if (groupDepth_++ == 0) groupStarted_ = false;
}

void Document::EndUndoGroup() {
    if (groupDepth_ > 0 && --groupDepth_ == 0) groupStarted_ = false;
}

// --- observers ---

void Document::AddObserver(DocumentObserver* observer) {
    observers_.push_back(observer);
}

void Document::RemoveObserver(DocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

template <typename F>
void Document::Notify(F f) {
    if (observers_.empty()) return;
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* o : observers)
        f(o);
}

void Document::NotifyParagraphs(std::size_t first, std::size_t removed, std::size_t inserted) {
    Notify([=](DocumentObserver* o) { o->ParagraphsReplaced(first, removed, inserted); });
}

void Document::NotifyStyles() {
    Notify([](DocumentObserver* o) { o->StylesChanged(); });
}

void Document::NotifyLayout() {
    Notify([](DocumentObserver* o) { o->LayoutChanged(); });
}

}  // namespace tabulo
