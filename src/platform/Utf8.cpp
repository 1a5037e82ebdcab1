#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace tabulo::utf8 {

std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t len;
    unsigned min;
    unsigned cp;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, min = 0x80, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, min = 0x800, cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, min = 0x10000, cp = b0 & 0x07;
    } else {
        return 1;
    }
    if (i + len > s.size()) return 1;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 1;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 1;
    return len;
}

std::size_t CharCount(std::string_view s) {
    std::size_t count = 0;
    std::size_t i = 0;
    // Eight ASCII bytes at a time are eight characters.
    while (i + 8 <= s.size()) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if ((word & 0x8080808080808080ull) != 0) break;
        i += 8;
        count += 8;
    }
    for (; i < s.size(); ++count) {
        i += static_cast<unsigned char>(s[i]) < 0x80 ? 1 : CharLength(s, i);
    }
    return count;
}

char32_t CodePointAt(std::string_view s, std::size_t i, std::size_t length) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (length == 1) return b0;
    char32_t cp = length == 2 ? (b0 & 0x1F) : (length == 3 ? (b0 & 0x0F) : (b0 & 0x07));
    for (std::size_t k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

bool IsValid(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = CharLength(s, i);
        if (length == 1) return false;
        i += length;
    }
    return true;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string FromWindows1252(std::string_view bytes) {
    // Code points of the bytes 0x80 to 0x9F; 0 where the code page defines none.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
    };
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else if (b < 0xA0)
            AppendCodePoint(out, kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD);
        else
            AppendCodePoint(out, b);
    }
    return out;
}

std::string FromUtf16Le(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k])) |
               (static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k + 1])) << 8);
    };
    for (std::size_t k = 0; k < units; ++k) {
        char32_t cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        }
        AppendCodePoint(out, cp);  // a lone surrogate becomes U+FFFD there
    }
    return out;
}

std::size_t OffsetOfChar(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    for (; i < s.size() && n > 0; --n) {
        i += static_cast<unsigned char>(s[i]) < 0x80 ? 1 : CharLength(s, i);
    }
    return i;
}

std::string_view FirstChars(std::string_view s, std::size_t n) {
    return s.substr(0, OffsetOfChar(s, n));
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

namespace {

// Applies a case mapping to every valid UTF-8 run of s; invalid bytes are copied unchanged.
template <typename MapAscii, typename MapUnicode>
std::string MapCase(std::string_view s, MapAscii mapAscii, MapUnicode mapUnicode) {
    std::string out;
    out.reserve(s.size());
    if (IsAscii(s)) {
        for (char c : s)
            out.push_back(mapAscii(c));
        return out;
    }
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = i;
        while (i < s.size()) {
            const std::size_t len = CharLength(s, i);
            if (len == 1 && static_cast<unsigned char>(s[i]) >= 0x80) break;
            i += len;
        }
        if (i > start) {
            icu::UnicodeString u =
                icu::UnicodeString::fromUTF8(icu::StringPiece(s.data() + start, static_cast<int32_t>(i - start)));
            mapUnicode(u);
            u.toUTF8String(out);
        }
        if (i < s.size()) out.push_back(s[i++]);  // an invalid byte stays as it is
    }
    return out;
}

}  // namespace

std::string ToUpper(std::string_view s) {
    return MapCase(
        s, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; },
        [](icu::UnicodeString& u) { u.toUpper(icu::Locale::getRoot()); });
}

std::string ToLower(std::string_view s) {
    return MapCase(
        s, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; },
        [](icu::UnicodeString& u) { u.toLower(icu::Locale::getRoot()); });
}

bool EqualIgnoreCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
            if (x != y) return false;
        }
        return true;
    }
    return ToUpper(a) == ToUpper(b);
}

void ReplaceControls(std::string& s) {
    for (char& c : s) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) continue;
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = '?';
    }
}

void AppendHtmlEscaped(std::string& out, std::string_view s) {
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
}

std::string HtmlEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    AppendHtmlEscaped(out, s);
    return out;
}

}  // namespace tabulo::utf8
