#include "document/RtfWriter.h"

#include <map>
#include <set>
#include <utility>

#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::size_t kChunk = 1 << 16;

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

void AppendUnicode(std::string& out, std::uint32_t cp) {
    auto unit = [&out](std::uint32_t u) {
        out += "\\u";
        out += std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u)));
        out += '?';
    };
    if (cp <= 0xFFFF) {
        unit(cp);
    } else {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    }
}

std::uint32_t DecodeValid(std::string_view s, std::size_t i, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    if (length == 2) return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    if (length == 3) return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    return ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
}

// Text with RTF's special characters escaped.
void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t plain = 0;  // start of ASCII text not yet copied
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}') {
            ++i;
            continue;
        }
        out.append(text, plain, i - plain);
        std::size_t length = 1;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x80) {
            AppendHex(out, c);
        } else {
            length = utf8::CharLength(text, i);
            if (length == 1) {
                AppendHex(out, c);
            } else {
                AppendUnicode(out, DecodeValid(text, i, length));
            }
        }
        i += length;
        plain = i;
    }
    out.append(text, plain, text.size() - plain);
}

std::string FontTableName(std::string_view name) {
    std::string clean;
    for (char c : name) {
        if (c != ';') clean += c;
    }
    std::string out;
    AppendEscaped(out, clean);
    return out;
}

const char* AlignmentWord(Alignment a) {
    switch (a) {
        case Alignment::Center:
            return "\\qc";
        case Alignment::Right:
            return "\\qr";
        case Alignment::Left:
            break;
    }
    return "\\ql";
}

class RtfWriter {
  public:
    RtfWriter(const Document& document, const std::vector<Paragraph>& paragraphs)
        : document_(document), paragraphs_(paragraphs) {}

    void Write(ByteSink& out) {
        CollectTables();
        std::string buffer = Header();
        for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
            if (i > 0) buffer += "\\par\n";
            AppendParagraph(buffer, paragraphs_[i], i);
            if (buffer.size() >= kChunk) {
                out.Write(buffer);
                buffer.clear();
            }
        }
        buffer += "}\n";
        out.Write(buffer);
    }

  private:
    const TextStyle& Style(int n) const {
        const auto& styles = document_.TextStyles();
        return styles[n >= 0 && static_cast<std::size_t>(n) < styles.size() ? static_cast<std::size_t>(n) : 0];
    }
    const ParagraphStyle& ParStyle(int n) const {
        const auto& styles = document_.ParagraphStyles();
        return styles[n >= 0 && static_cast<std::size_t>(n) < styles.size() ? static_cast<std::size_t>(n) : 0];
    }
    static int Clamped(int n, std::size_t count) { return n >= 0 && static_cast<std::size_t>(n) < count ? n : 0; }

    // Fonts and colours of the styles in use; colour index 0 is the automatic colour.
    void CollectTables() {
        std::set<int> textStyles;
        std::set<int> parStyles;
        for (const Paragraph& p : paragraphs_) {
            parStyles.insert(Clamped(p.paragraphStyle, document_.ParagraphStyles().size()));
            for (const TextRun& run : p.runs)
                textStyles.insert(Clamped(run.style, document_.TextStyles().size()));
        }
        textStyles.insert(0);  // also the fallback for paragraphs without runs
        usedParStyles_.assign(parStyles.begin(), parStyles.end());
        for (int n : textStyles) {
            const TextStyle& s = Style(n);
            const auto font = std::make_pair(s.fontName, s.charset);
            if (!fontIndex_.count(font)) {
                fontIndex_.emplace(font, static_cast<int>(fonts_.size()));
                fonts_.push_back(font);
            }
            ColorIndex(s.color, true);
            if (s.backColor != kColorNone) ColorIndex(s.backColor, false);
        }
        for (int n : textStyles)
            styleFormat_.emplace(n, RunFormat(n));
    }

    int ColorIndex(Color c, bool text) {
        if (text && c == kColorWindowText) return 0;
        const Color rgb = ResolveColor(c);
        const auto it = colorIndex_.find(rgb);
        if (it != colorIndex_.end()) return it->second;
        colors_.push_back(rgb);
        const int index = static_cast<int>(colors_.size());
        colorIndex_.emplace(rgb, index);
        return index;
    }

    int CharStyleNumber(int textStyle) const {
        return static_cast<int>(document_.ParagraphStyles().size()) + textStyle;
    }

    // The control words that give a run the look of a text style.
    std::string RunFormat(int n) {
        const TextStyle& s = Style(n);
        std::string f = "\\cs" + std::to_string(CharStyleNumber(n));
        f += "\\f" + std::to_string(fontIndex_.at({s.fontName, s.charset}));
        f += "\\fs" + std::to_string(2 * s.size);
        if (const int c = ColorIndex(s.color, true); c != 0) f += "\\cf" + std::to_string(c);
        if (s.backColor != kColorNone) f += "\\highlight" + std::to_string(ColorIndex(s.backColor, false));
        if (s.bold) f += "\\b";
        if (s.italic) f += "\\i";
        if (s.underline) f += "\\ul";
        if (s.strikeOut) f += "\\strike";
        return f;
    }

    std::string ParagraphFormat(int n) const {
        const ParagraphStyle& s = ParStyle(n);
        std::string f = "\\s" + std::to_string(Clamped(n, document_.ParagraphStyles().size()));
        f += AlignmentWord(s.alignment);
        f += "\\li" + std::to_string((document_.LeftMargin() + s.leftIndent) * kTwipsPerPixel);
        f += "\\ri" + std::to_string(s.rightIndent * kTwipsPerPixel);
        return f;
    }

    std::string Header() const {
        std::string h = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            h += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(fonts_[i].second) + " " +
                 FontTableName(fonts_[i].first) + ";}";
        }
        h += "}\n{\\colortbl;";
        for (Color c : colors_) {
            h += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
                 std::to_string((c >> 16) & 0xFF) + ";";
        }
        h += "}\n{\\stylesheet";
        for (int n : usedParStyles_) {
            h += '{';
            h += ParagraphFormat(n);
            h += ' ';
            AppendEscaped(h, ParStyle(n).name);
            h += ";}";
        }
        for (const auto& [n, format] : styleFormat_) {
            h += "{\\*" + format + "\\additive ";
            AppendEscaped(h, Style(n).name);
            h += ";}";
        }
        h += "}\n";
        const Color background = document_.BackgroundColor();
        if (background != kColorWindow && background != kColorNone) {
            h += "{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv " +
                 std::to_string(ResolveColor(background)) + "}}}}}\\viewbksp1\n";
        }
        // The editor's left margin is part of every paragraph's indent; this lets a reader take
        // it apart again.
        h += "{\\*\\tabulomargin " + std::to_string(document_.LeftMargin()) + "}\n";
        return h;
    }

    // The style of a paragraph without runs (the cut end of a range): that of its neighbour, so
    // a reader needs no style the range does not use.
    int NeighbourStyle(std::size_t i) const {
        if (i > 0 && !paragraphs_[i - 1].runs.empty()) return paragraphs_[i - 1].runs.back().style;
        if (i + 1 < paragraphs_.size() && !paragraphs_[i + 1].runs.empty()) {
            return paragraphs_[i + 1].runs.front().style;
        }
        return 0;
    }

    void AppendParagraph(std::string& out, const Paragraph& p, std::size_t i) {
        out += "\\pard\\plain";
        out += ParagraphFormat(p.paragraphStyle);
        if (p.runs.empty() || (p.runs.size() == 1 && p.runs.front().text.empty())) {
            // Formatting outside a group applies to the paragraph mark, so the empty paragraph
            // keeps its style.
            const int style = p.runs.empty() ? NeighbourStyle(i) : p.runs.front().style;
            out += styleFormat_.at(Clamped(style, document_.TextStyles().size()));
            out += ' ';
            return;
        }
        out += ' ';
        for (const TextRun& run : p.runs) {
            out += '{';
            out += styleFormat_.at(Clamped(run.style, document_.TextStyles().size()));
            out += ' ';
            AppendEscaped(out, run.text);
            out += '}';
        }
    }

    const Document& document_;
    const std::vector<Paragraph>& paragraphs_;
    std::vector<std::pair<std::string, int>> fonts_;
    std::map<std::pair<std::string, int>, int> fontIndex_;
    std::vector<Color> colors_;
    std::map<Color, int> colorIndex_;
    std::vector<int> usedParStyles_;
    std::map<int, std::string> styleFormat_;
};

}  // namespace

void WriteRtf(const Document& document, ByteSink& out) {
    RtfWriter(document, document.Paragraphs()).Write(out);
}

std::string RtfText(const Document& document) {
    StringSink sink;
    WriteRtf(document, sink);
    return std::move(sink.text);
}

std::string RtfText(const Document& document, DocRange range) {
    const std::vector<Paragraph> fragment = document.Fragment(range);
    StringSink sink;
    RtfWriter(document, fragment).Write(sink);
    return std::move(sink.text);
}

}  // namespace tabulo
