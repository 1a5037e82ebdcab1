#include "document/TextSearch.h"

#include <unicode/uchar.h>

#include <vector>

#include "platform/Utf8.h"

namespace tabulo {

namespace {

// A text as code points with the byte offset of each (and one past the end). A byte that is not
// UTF-8 becomes a value no character has, so it matches only itself.
struct CodePoints {
    std::vector<UChar32> cps;
    std::vector<std::size_t> offsets;
};

constexpr UChar32 kInvalidByteBase = 0x110000;

CodePoints Decode(std::string_view s, bool fold) {
    CodePoints out;
    out.cps.reserve(s.size());
    out.offsets.reserve(s.size() + 1);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = utf8::CharLength(s, i);
        const auto b0 = static_cast<unsigned char>(s[i]);
        UChar32 cp = 0;
        if (length == 1) {
            cp = b0 < 0x80 ? b0 : kInvalidByteBase + b0;
        } else {
            const auto b = [&](std::size_t k) {
                return static_cast<UChar32>(static_cast<unsigned char>(s[i + k]) & 0x3F);
            };
            if (length == 2) cp = ((b0 & 0x1F) << 6) | b(1);
            if (length == 3) cp = ((b0 & 0x0F) << 12) | (b(1) << 6) | b(2);
            if (length == 4) cp = ((b0 & 0x07) << 18) | (b(1) << 12) | (b(2) << 6) | b(3);
        }
        if (fold && cp < kInvalidByteBase) cp = u_foldCase(cp, U_FOLD_CASE_DEFAULT);
        out.cps.push_back(cp);
        out.offsets.push_back(i);
        i += length;
    }
    out.offsets.push_back(s.size());
    return out;
}

bool IsWordChar(UChar32 cp) {
    return cp < kInvalidByteBase && (cp == '_' || u_isalnum(cp));
}

bool MatchAt(const CodePoints& hay, const CodePoints& needle, std::size_t k, bool wholeWord, const CodePoints& raw) {
    for (std::size_t j = 0; j < needle.cps.size(); ++j) {
        if (hay.cps[k + j] != needle.cps[j]) return false;
    }
    if (!wholeWord) return true;
    const std::size_t end = k + needle.cps.size();
    if (k > 0 && IsWordChar(raw.cps[k - 1])) return false;
    if (end < raw.cps.size() && IsWordChar(raw.cps[end])) return false;
    return true;
}

std::optional<DocRange> FindInParagraph(std::string_view text, std::size_t paragraph, const CodePoints& needle,
                                        const SearchOptions& options, std::size_t from, std::size_t limit) {
    const CodePoints hay = Decode(text, !options.matchCase);
    const CodePoints raw = options.wholeWord && !options.matchCase ? Decode(text, false) : CodePoints{};
    const CodePoints& unfolded = options.matchCase ? hay : raw;
    const std::size_t n = hay.cps.size();
    const std::size_t m = needle.cps.size();
    if (m > n) return std::nullopt;
    auto found = [&](std::size_t k) { return DocRange{{paragraph, hay.offsets[k]}, {paragraph, hay.offsets[k + m]}}; };
    if (options.forward) {
        for (std::size_t k = 0; k + m <= n; ++k) {
            if (hay.offsets[k] >= from && MatchAt(hay, needle, k, options.wholeWord, unfolded)) return found(k);
        }
    } else {
        for (std::size_t k = n - m + 1; k-- > 0;) {
            if (hay.offsets[k + m] <= limit && MatchAt(hay, needle, k, options.wholeWord, unfolded)) return found(k);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<DocRange> FindText(const Document& document, std::string_view what, const SearchOptions& options,
                                 DocPosition from) {
    const auto& paragraphs = document.Paragraphs();
    if (what.empty() || paragraphs.empty()) return std::nullopt;
    from = document.Clamp(from);
    const CodePoints needle = Decode(what, !options.matchCase);
    if (options.forward) {
        for (std::size_t p = from.paragraph; p < paragraphs.size(); ++p) {
            const std::string text = paragraphs[p].Text();
            const std::size_t start = p == from.paragraph ? from.offset : 0;
            if (options.matchCase && !options.wholeWord) {
                const std::size_t at = text.find(what, start);
                if (at != std::string::npos) return DocRange{{p, at}, {p, at + what.size()}};
                continue;
            }
            if (auto r = FindInParagraph(text, p, needle, options, start, text.size())) return r;
        }
    } else {
        for (std::size_t p = from.paragraph + 1; p-- > 0;) {
            const std::string text = paragraphs[p].Text();
            const std::size_t limit = p == from.paragraph ? from.offset : text.size();
            if (options.matchCase && !options.wholeWord) {
                if (limit < what.size()) continue;
                const std::size_t at = text.rfind(what, limit - what.size());
                if (at != std::string::npos) return DocRange{{p, at}, {p, at + what.size()}};
                continue;
            }
            if (auto r = FindInParagraph(text, p, needle, options, 0, limit)) return r;
        }
    }
    return std::nullopt;
}

bool SearchText(Document& document, std::string_view what, const SearchOptions& options) {
    const DocRange selected = document.GetSelection().Range();
    const std::optional<DocRange> match =
        FindText(document, what, options, options.forward ? selected.end : selected.start);
    if (!match) return false;
    document.Select(match->start, match->end);
    return true;
}

}  // namespace tabulo
