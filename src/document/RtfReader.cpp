#include "document/RtfReader.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "document/RtfWriter.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::size_t kMaxDepth = 512;

enum class Dest { Body, FontTable, ColorTable, StyleSheet, Skip, Background, BackgroundName, BackgroundValue, Margin };

struct CharFormat {
    int font = -1;  // -1: the default font
    int halfPoints = 24;
    int color = 0;
    int back = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int charStyle = -1;

    auto Key() const {
        return std::make_tuple(font, halfPoints, color, back, bold, italic, underline, strike, charStyle);
    }
};

struct ParFormat {
    Alignment alignment = Alignment::Left;
    int left = 0;   // twips
    int right = 0;  // twips
    int style = 0;
};

struct GroupState {
    CharFormat chr;
    ParFormat par;
    Dest dest = Dest::Body;
    int uc = 1;
};

struct FontEntry {
    std::string name;
    int charset = 1;
};

struct SheetEntry {
    enum Kind { Paragraph, Character, Other } kind = Paragraph;
    int number = 0;
    std::string name;
};

// Destinations whose content is not text of the document.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {
        "info",       "pict",    "object",  "header",   "headerl",    "headerr", "headerf", "footer",
        "footerl",    "footerr", "footerf", "footnote", "annotation", "fldinst", "pntext",  "listtext",
        "nonshppict", "shp",     "xe",      "tc",       "txe",        "rxe",     "filetbl", "revtbl",
        "template",   "do",      "objdata", "result",   "ftnsep",     "ftnsepc", "aftnsep", "aftnsepc"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

bool IsUnderlineWord(std::string_view word) {
    static constexpr std::string_view kWords[] = {
        "ul",    "uld",      "uldash",    "uldashd",    "uldashdd",  "uldb",       "ulhwave", "ulldash", "ulth",
        "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave"};
    return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

// The code page of a font character set, or 0 for the document's own.
int CodePageOfCharset(int charset) {
    switch (charset) {
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        default:
            return 0;
    }
}

std::string ConverterName(int codePage) {
    switch (codePage) {
        case 932:
            return "windows-932";
        case 936:
            return "GBK";
        case 949:
            return "windows-949";
        case 950:
            return "Big5";
        case 10000:
            return "macintosh";
        case 437:
            return "ibm-437";
        case 850:
            return "ibm-850";
        default:
            return "windows-" + std::to_string(codePage);
    }
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

class RtfReader {
  public:
    RtfReader(std::string_view rtf, std::vector<TextStyle>& textStyles, std::vector<ParagraphStyle>& parStyles)
        : src_(rtf), textStyles_(textStyles), parStyles_(parStyles) {}

    RtfContent Read() {
        std::size_t start = src_.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos || src_.substr(start, 5) != "{\\rtf") return {};
        pos_ = start;
        while (pos_ < src_.size() && !finished_)
            Step();
        if (!finished_) Finish();
        return std::move(content_);
    }

  private:
    // --- tokens ---

    void Step() {
        const char c = src_[pos_];
        if (c == '{') {
            ++pos_;
            Flush();
            ucSkip_ = 0;
            OpenGroup();
        } else if (c == '}') {
            ++pos_;
            Flush();
            ucSkip_ = 0;
            CloseGroup();
        } else if (c == '\\') {
            ControlToken();
        } else if (c == '\r' || c == '\n') {
            ++pos_;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            ++pos_;
            pendingIgnorable_ = false;
            if (ucSkip_ > 0) {
                --ucSkip_;
            } else {
                AddByte(static_cast<unsigned char>(c));
            }
        } else {
            PlainText();
        }
    }

    void PlainText() {
        pendingIgnorable_ = false;
        std::size_t end = pos_;
        while (end < src_.size()) {
            const auto c = static_cast<unsigned char>(src_[end]);
            if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c >= 0x80) break;
            ++end;
        }
        std::string_view text = src_.substr(pos_, end - pos_);
        pos_ = end;
        while (ucSkip_ > 0 && !text.empty()) {
            text.remove_prefix(1);
            --ucSkip_;
        }
        if (text.empty()) return;
        Flush();
        AddText(text);
    }

    void ControlToken() {
        ++pos_;
        if (pos_ >= src_.size()) return;
        const char c = src_[pos_];
        if (IsLetter(c)) {
            std::size_t end = pos_;
            while (end < src_.size() && IsLetter(src_[end]) && end - pos_ < 32)
                ++end;
            const std::string word(src_.substr(pos_, end - pos_));
            pos_ = end;
            std::optional<int> param = Number();
            if (pos_ < src_.size() && src_[pos_] == ' ') ++pos_;
            if (word == "bin") {
                pos_ +=
                    std::min<std::size_t>(static_cast<std::size_t>(std::max(param.value_or(0), 0)), src_.size() - pos_);
                return;
            }
            if (word == "u") {
                Flush();
                UnicodeChar(param.value_or(0));
                ucSkip_ = state_.uc;
                return;
            }
            ucSkip_ = 0;
            Flush();
            Word(word, param);
            return;
        }
        ++pos_;
        if (c == '\'') {
            pendingIgnorable_ = false;
            int byte = 0;
            for (int k = 0; k < 2; ++k) {
                const int digit = pos_ < src_.size() ? HexDigit(src_[pos_]) : -1;
                if (digit < 0) break;
                byte = byte * 16 + digit;
                ++pos_;
            }
            if (ucSkip_ > 0) {
                --ucSkip_;
            } else {
                AddByte(static_cast<unsigned char>(byte));
            }
            return;
        }
        Flush();
        ucSkip_ = 0;
        if (c == '*') {
            pendingIgnorable_ = true;
            return;
        }
        pendingIgnorable_ = false;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                AddText(std::string_view(&c, 1));
                break;
            case '~':
                AddText("\u00A0");
                break;
            case '_':
                AddText("\u2011");
                break;
            case '\r':
            case '\n':
                if (state_.dest == Dest::Body) EndParagraph();
                break;
            case '\t':
                AddText("\t");
                break;
            default:
                break;  // \- (optional hyphen), \| and unknown symbols
        }
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    std::optional<int> Number() {
        std::size_t p = pos_;
        bool negative = false;
        if (p < src_.size() && src_[p] == '-') {
            negative = true;
            ++p;
        }
        if (p >= src_.size() || src_[p] < '0' || src_[p] > '9') return std::nullopt;
        long long value = 0;
        while (p < src_.size() && src_[p] >= '0' && src_[p] <= '9') {
            value = std::min(value * 10 + (src_[p] - '0'), 1000000000LL);
            ++p;
        }
        pos_ = p;
        return static_cast<int>(negative ? -value : value);
    }

    // --- groups ---

    void OpenGroup() {
        if (overflow_ > 0 || saved_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        pendingIgnorable_ = false;
        saved_.push_back(state_);
        if (state_.dest == Dest::StyleSheet && saved_.size() == sheetDepth_ + 1) {
            sheetEntry_ = SheetEntry{};
            inSheetEntry_ = true;
        }
    }

    void CloseGroup() {
        pendingIgnorable_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        const Dest closing = state_.dest;
        if (closing == Dest::FontTable) StoreFont();
        if (closing == Dest::StyleSheet && inSheetEntry_ && saved_.size() == sheetDepth_ + 1) StoreSheetEntry();
        if (closing == Dest::BackgroundValue && backgroundName_ == "fillColor") {
            if (const std::optional<long long> v = Integer(backgroundValue_)) {
                content_.background = static_cast<Color>(*v) & 0xFFFFFF;
            }
        }
        if (closing == Dest::Margin) {
            if (const std::optional<long long> v = Integer(marginText_); v && *v >= 0 && *v <= 1000) {
                content_.leftMargin = static_cast<int>(*v);
            }
        }
        if (saved_.size() <= 1) {
            Finish();  // the document's own group has closed
            return;
        }
        state_ = saved_.back();
        saved_.pop_back();
    }

    static std::optional<long long> Integer(const std::string& text) {
        const std::size_t b = text.find_first_not_of(' ');
        if (b == std::string::npos) return std::nullopt;
        long long v = 0;
        std::size_t i = b;
        const bool negative = text[i] == '-';
        if (negative) ++i;
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            v = std::min(v * 10 + (text[i] - '0'), 1LL << 40);
        return negative ? -v : v;
    }

    // --- control words ---

    void Word(const std::string& word, std::optional<int> param) {
        const bool ignorable = pendingIgnorable_;
        pendingIgnorable_ = false;
        if (Destination(word, ignorable)) return;
        // "\*" marks a destination a reader may skip; in the style sheet "\*\cs" opens an entry.
        if (ignorable && !(state_.dest == Dest::StyleSheet && word == "cs")) {
            state_.dest = Dest::Skip;
            return;
        }
        const int n = param.value_or(0);
        const bool on = !param || *param != 0;
        switch (state_.dest) {
            case Dest::Body:
                BodyWord(word, param, n, on);
                break;
            case Dest::FontTable:
                if (word == "f") {
                    StoreFont();
                    fontNumber_ = n;
                    fontName_.clear();
                    fontCharset_ = 1;
                } else if (word == "fcharset") {
                    fontCharset_ = n;
                }
                break;
            case Dest::ColorTable:
                if (word == "red") red_ = n, colorSet_ = true;
                if (word == "green") green_ = n, colorSet_ = true;
                if (word == "blue") blue_ = n, colorSet_ = true;
                break;
            case Dest::StyleSheet:
                if (!inSheetEntry_) break;
                if (word == "s") sheetEntry_.kind = SheetEntry::Paragraph, sheetEntry_.number = n;
                if (word == "cs") sheetEntry_.kind = SheetEntry::Character, sheetEntry_.number = n;
                if (word == "ds" || word == "ts") sheetEntry_.kind = SheetEntry::Other, sheetEntry_.number = n;
                break;
            default:
                break;
        }
    }

    // Handles a word that starts a destination; false when `word` is no destination here.
    bool Destination(const std::string& word, bool ignorable) {
        Dest& dest = state_.dest;
        if (dest == Dest::Skip) return true;
        if (dest == Dest::Background) {
            if (word == "sn") return dest = Dest::BackgroundName, backgroundName_.clear(), true;
            if (word == "sv") return dest = Dest::BackgroundValue, backgroundValue_.clear(), true;
            if (ignorable && word != "shpinst") dest = Dest::Skip;
            return true;  // the shape's other properties
        }
        if (word == "fonttbl") return dest = Dest::FontTable, fontNumber_ = -1, true;
        if (word == "colortbl") return dest = Dest::ColorTable, true;
        if (word == "stylesheet") return dest = Dest::StyleSheet, sheetDepth_ = saved_.size(), true;
        if (word == "background") return dest = Dest::Background, true;
        if (word == "tabulomargin") return dest = Dest::Margin, marginText_.clear(), true;
        if (word == "field" || word == "fldrslt") return true;
        if (IsSkippedDestination(word)) return dest = Dest::Skip, true;
        return false;
    }

    void BodyWord(const std::string& word, std::optional<int> param, int n, bool on) {
        CharFormat& chr = state_.chr;
        ParFormat& par = state_.par;
        if (word == "par" || word == "line" || word == "sect") {
            EndParagraph();
        } else if (word == "row") {
            if (!runs_.empty() && !runs_.back().text.empty() && runs_.back().text.back() == '\t') {
                runs_.back().text.pop_back();
            }
            EndParagraph();
        } else if (word == "cell" || word == "nestcell" || word == "tab") {
            AddText("\t");
        } else if (word == "pard") {
            par = ParFormat{};
        } else if (word == "plain") {
            chr = CharFormat{};
        } else if (word == "s") {
            par.style = n;
        } else if (word == "ql" || word == "qj" || word == "qd") {
            par.alignment = Alignment::Left;
        } else if (word == "qc") {
            par.alignment = Alignment::Center;
        } else if (word == "qr") {
            par.alignment = Alignment::Right;
        } else if (word == "li" || word == "lin") {
            par.left = n;
        } else if (word == "ri" || word == "rin") {
            par.right = n;
        } else if (word == "f") {
            chr.font = n;
        } else if (word == "fs") {
            if (n > 0) chr.halfPoints = n;
        } else if (word == "cf") {
            chr.color = n;
        } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
            chr.back = n;
        } else if (word == "b") {
            chr.bold = on;
        } else if (word == "i") {
            chr.italic = on;
        } else if (word == "strike" || word == "striked") {
            chr.strike = on;
        } else if (IsUnderlineWord(word)) {
            chr.underline = on;
        } else if (word == "ulnone") {
            chr.underline = false;
        } else if (word == "cs") {
            chr.charStyle = n;
        } else if (word == "uc") {
            state_.uc = std::clamp(n, 0, 10);
        } else if (word == "ansicpg") {
            if (param) codePage_ = n;
        } else if (word == "ansi") {
            codePage_ = 1252;
        } else if (word == "mac") {
            codePage_ = 10000;
        } else if (word == "pc") {
            codePage_ = 437;
        } else if (word == "pca") {
            codePage_ = 850;
        } else if (word == "deff") {
            defaultFont_ = n;
        } else {
            SpecialCharacter(word);
        }
    }

    void SpecialCharacter(const std::string& word) {
        static const std::map<std::string, std::uint32_t> kChars = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"emspace", 0x2003}, {"enspace", 0x2002},   {"qmspace", 0x2005},
            {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}};
        const auto it = kChars.find(word);
        if (it == kChars.end()) return;
        std::string text;
        utf8::AppendCodePoint(text, it->second);
        AddText(text);
    }

    void UnicodeChar(int n) {
        std::uint32_t unit = static_cast<std::uint32_t>(n < 0 ? n + 65536 : n) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
            return;
        }
        std::uint32_t cp = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (highSurrogate_ == 0) return;
            cp = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
        }
        highSurrogate_ = 0;
        std::string text;
        utf8::AppendCodePoint(text, cp);
        AddText(text);
    }

    // --- text ---

    // Bytes of the document's code page (or of the current font's character set) wait here until
    // the next other token, so a character of two bytes is decoded whole.
    void AddByte(unsigned char byte) {
        const int cp = CurrentCodePage();
        if (!pendingBytes_.empty() && cp != pendingCodePage_) Flush();
        pendingCodePage_ = cp;
        pendingBytes_ += static_cast<char>(byte);
    }

    int CurrentCodePage() const {
        const int font = state_.chr.font >= 0 ? state_.chr.font : defaultFont_;
        if (state_.dest == Dest::Body) {
            const auto it = fonts_.find(font);
            if (it != fonts_.end()) {
                if (const int cp = CodePageOfCharset(it->second.charset)) return cp;
            }
        } else if (state_.dest == Dest::FontTable) {
            if (const int cp = CodePageOfCharset(fontCharset_)) return cp;
        }
        return codePage_;
    }

    void Flush() {
        if (pendingBytes_.empty()) return;
        std::string bytes;
        bytes.swap(pendingBytes_);
        AddText(Decode(bytes, pendingCodePage_));
    }

    std::string Decode(const std::string& bytes, int codePage) {
        auto it = converters_.find(codePage);
        if (it == converters_.end()) {
            UErrorCode error = U_ZERO_ERROR;
            UConverter* converter = ucnv_open(ConverterName(codePage).c_str(), &error);
            if (U_FAILURE(error)) {
                error = U_ZERO_ERROR;
                converter = ucnv_open("windows-1252", &error);
            }
            it = converters_.emplace(codePage, std::unique_ptr<UConverter, ConverterCloser>(converter)).first;
        }
        std::string out;
        UConverter* converter = it->second.get();
        if (converter == nullptr) {
            for (char b : bytes)
                utf8::AppendCodePoint(out, static_cast<unsigned char>(b));
            return out;
        }
        ucnv_reset(converter);
        std::u16string units(bytes.size() * 2 + 4, u'\0');
        UErrorCode error = U_ZERO_ERROR;
        const int32_t n = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &error);
        if (U_FAILURE(error)) return out;
        out.resize(static_cast<std::size_t>(n) * 3 + 4);
        int32_t length = 0;
        error = U_ZERO_ERROR;
        u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, units.data(), n, 0xFFFD, nullptr,
                           &error);
        out.resize(U_FAILURE(error) ? 0 : static_cast<std::size_t>(length));
        return out;
    }

    void AddText(std::string_view text) {
        switch (state_.dest) {
            case Dest::Body:
                AddBodyText(text);
                break;
            case Dest::FontTable:
                for (char c : text) {
                    if (c == ';') {
                        StoreFont();
                    } else {
                        fontName_ += c;
                    }
                }
                break;
            case Dest::ColorTable:
                for (char c : text) {
                    if (c != ';') continue;
                    colors_.push_back(colorSet_ ? std::optional<Color>(static_cast<Color>(
                                                      (red_ & 0xFF) | ((green_ & 0xFF) << 8) | ((blue_ & 0xFF) << 16)))
                                                : std::nullopt);
                    red_ = green_ = blue_ = 0;
                    colorSet_ = false;
                }
                break;
            case Dest::StyleSheet:
                if (!inSheetEntry_) break;
                for (char c : text) {
                    if (c == ';') {
                        StoreSheetEntry();
                    } else {
                        sheetEntry_.name += c;
                    }
                }
                break;
            case Dest::BackgroundName:
                backgroundName_ += text;
                break;
            case Dest::BackgroundValue:
                backgroundValue_ += text;
                break;
            case Dest::Margin:
                marginText_ += text;
                break;
            default:
                break;
        }
    }

    void AddBodyText(std::string_view text) {
        const int style = TextStyleFor(state_.chr);
        if (!runs_.empty() && runs_.back().style == style) {
            runs_.back().text += text;
        } else {
            runs_.push_back({std::string(text), style});
        }
    }

    void EndParagraph() {
        if (runs_.empty()) runs_.push_back({std::string(), TextStyleFor(state_.chr)});
        content_.paragraphs.push_back(Paragraph{std::move(runs_), ParStyleFor(state_.par)});
        runs_.clear();
    }

    void Finish() {
        if (finished_) return;
        Flush();
        EndParagraph();
        finished_ = true;
    }

    // --- tables ---

    static std::string Trimmed(const std::string& s) {
        const std::size_t b = s.find_first_not_of(' ');
        if (b == std::string::npos) return {};
        return s.substr(b, s.find_last_not_of(' ') - b + 1);
    }

    void StoreFont() {
        if (fontNumber_ < 0) return;
        const std::string name = Trimmed(fontName_);
        if (!name.empty()) fonts_[fontNumber_] = FontEntry{name, fontCharset_};
        fontNumber_ = -1;
        fontName_.clear();
    }

    void StoreSheetEntry() {
        if (!inSheetEntry_) return;
        sheetEntry_.name = Trimmed(sheetEntry_.name);
        if (sheetEntry_.kind == SheetEntry::Paragraph) parSheet_[sheetEntry_.number] = sheetEntry_.name;
        if (sheetEntry_.kind == SheetEntry::Character) charSheet_[sheetEntry_.number] = sheetEntry_.name;
        inSheetEntry_ = false;
    }

    int TextStyleFor(const CharFormat& f) {
        const auto cached = textStyleCache_.find(f.Key());
        if (cached != textStyleCache_.end()) return cached->second;

        TextStyle s;
        const auto font = fonts_.find(f.font >= 0 ? f.font : defaultFont_);
        if (font != fonts_.end()) {
            s.fontName = font->second.name;
            s.charset = font->second.charset;
        }
        s.size = std::max(1, (f.halfPoints + 1) / 2);
        s.color = ColorAt(f.color).value_or(kColorWindowText);
        s.backColor = f.back > 0 ? ColorAt(f.back).value_or(kColorNone) : kColorNone;
        s.bold = f.bold;
        s.italic = f.italic;
        s.underline = f.underline;
        s.strikeOut = f.strike;
        const auto sheet = charSheet_.find(f.charStyle);
        const std::string name = sheet != charSheet_.end() ? sheet->second : std::string();

        // A named style is looked for by its name and look, so pasted text keeps its style's
        // meaning; unnamed text takes the first style that looks the same.
        int found = -1;
        for (std::size_t i = 0; i < textStyles_.size() && found < 0; ++i) {
            TextStyle candidate = textStyles_[i];
            if (!name.empty()) {
                candidate.jump = false;  // RTF has no hypertext jumps; the name brings them back
                if (candidate.name != name) continue;
            }
            if (candidate.SameLook(s)) found = static_cast<int>(i);
        }
        if (found < 0) {
            s.name = name.empty() ? "Imported text" : name;
            textStyles_.push_back(s);
            found = static_cast<int>(textStyles_.size() - 1);
        }
        textStyleCache_.emplace(f.Key(), found);
        return found;
    }

    // A colour of the colour table; none for the automatic colour and for an index out of the
    // table.
    std::optional<Color> ColorAt(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    }

    int ParStyleFor(const ParFormat& f) {
        const auto key = std::make_tuple(f.style, f.alignment, f.left, f.right);
        const auto cached = parStyleCache_.find(key);
        if (cached != parStyleCache_.end()) return cached->second;

        ParagraphStyle s;
        s.alignment = f.alignment;
        const int margin = content_.leftMargin.value_or(0);
        s.leftIndent = std::max(0, (f.left + kTwipsPerPixel / 2) / kTwipsPerPixel - margin);
        s.rightIndent = std::max(0, (f.right + kTwipsPerPixel / 2) / kTwipsPerPixel);
        const auto sheet = parSheet_.find(f.style);
        const std::string name = sheet != parSheet_.end() ? sheet->second : std::string();
        auto sameLayout = [&s](const ParagraphStyle& p) {
            return p.alignment == s.alignment && p.leftIndent == s.leftIndent && p.rightIndent == s.rightIndent;
        };

        int found = -1;
        for (std::size_t i = 0; i < parStyles_.size() && found < 0 && !name.empty(); ++i) {
            if (parStyles_[i].name == name && sameLayout(parStyles_[i])) found = static_cast<int>(i);
        }
        // Word processors wrap lines, so foreign paragraphs go to a style that wraps.
        for (std::size_t i = 0; i < parStyles_.size() && found < 0; ++i) {
            if (parStyles_[i].wrap && sameLayout(parStyles_[i])) found = static_cast<int>(i);
        }
        if (found < 0) {
            s.name = name.empty() ? "Imported paragraph" : name;
            s.wrap = true;
            parStyles_.push_back(s);
            found = static_cast<int>(parStyles_.size() - 1);
        }
        parStyleCache_.emplace(key, found);
        return found;
    }

    std::string_view src_;
    std::size_t pos_ = 0;
    std::vector<TextStyle>& textStyles_;
    std::vector<ParagraphStyle>& parStyles_;
    RtfContent content_;
    bool finished_ = false;

    GroupState state_;
    std::vector<GroupState> saved_;
    std::size_t overflow_ = 0;
    bool pendingIgnorable_ = false;
    int ucSkip_ = 0;
    std::uint32_t highSurrogate_ = 0;

    int codePage_ = 1252;
    int defaultFont_ = 0;
    std::string pendingBytes_;
    int pendingCodePage_ = 1252;
    std::map<int, std::unique_ptr<UConverter, ConverterCloser>> converters_;

    std::map<int, FontEntry> fonts_;
    int fontNumber_ = -1;
    std::string fontName_;
    int fontCharset_ = 1;

    // The colour table as written: entry 0 is usually the automatic colour (none).
    std::vector<std::optional<Color>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    std::size_t sheetDepth_ = 0;
    bool inSheetEntry_ = false;
    SheetEntry sheetEntry_;
    std::map<int, std::string> parSheet_;
    std::map<int, std::string> charSheet_;

    std::string backgroundName_;
    std::string backgroundValue_;
    std::string marginText_;

    std::vector<TextRun> runs_;
    std::map<decltype(std::declval<CharFormat>().Key()), int> textStyleCache_;
    std::map<std::tuple<int, Alignment, int, int>, int> parStyleCache_;
};

}  // namespace

RtfContent ReadRtf(std::string_view rtf, std::vector<TextStyle>& textStyles,
                   std::vector<ParagraphStyle>& paragraphStyles) {
    return RtfReader(rtf, textStyles, paragraphStyles).Read();
}

}  // namespace tabulo
