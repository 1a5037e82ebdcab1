#include "metadata/TextDecoding.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace tabulo::text {

namespace {

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five unassigned bytes keep their C1
// code point (and are then replaced as control characters).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendCodePoint(std::string& out, std::uint32_t cp) {
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

bool IsUnwantedControl(std::uint32_t cp) {
    if (cp == '\t' || cp == '\r' || cp == '\n') return false;
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = utf8::CharLength(bytes, i);
        if (len == 1) return false;
        i += len;
    }
    return true;
}

std::string ShownText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    if (IsValidUtf8(bytes)) {
        for (std::size_t i = 0; i < bytes.size();) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b < 0x80) {
                out.push_back(IsUnwantedControl(b) ? '?' : static_cast<char>(b));
                ++i;
                continue;
            }
            const std::size_t len = utf8::CharLength(bytes, i);
            // U+0080 to U+009F are C2 80 to C2 9F.
            if (len == 2 && b == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) <= 0x9F)
                out.push_back('?');
            else
                out.append(bytes.substr(i, len));
            i += len;
        }
        return out;
    }
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const std::uint32_t cp = b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b;
        if (IsUnwantedControl(cp))
            out.push_back('?');
        else
            AppendCodePoint(out, cp);
    }
    return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k + 1])) << 8);
    };
    for (std::size_t k = 0; k < units; ++k) {
        std::uint32_t cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    std::size_t begin = 0;
    while (begin < s.size() && static_cast<unsigned char>(s[begin]) <= 0x20)
        ++begin;
    return TrimRight(s.substr(begin));
}

std::string_view TrimRight(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && static_cast<unsigned char>(s[end - 1]) <= 0x20)
        --end;
    return s.substr(0, end);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.push_back(text.substr(start, end - start));
        if (end < text.size()) {
            if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
            ++end;
        }
        start = end;
    }
    return lines;
}

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace tabulo::text
