#include "metadata/TextDecoding.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace tabulo::text {

namespace {

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five unassigned bytes keep their C1

bool IsUnwantedControl(std::uint32_t cp) {
    if (cp == '\t' || cp == '\r' || cp == '\n') return false;
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

}  // namespace

std::string ShownText(std::string_view bytes) {
    const std::string decoded = utf8::IsValid(bytes) ? std::string() : utf8::FromWindows1252(bytes);
    const std::string_view text = decoded.empty() ? bytes : std::string_view(decoded);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out.push_back(IsUnwantedControl(b) ? '?' : static_cast<char>(b));
            ++i;
            continue;
        }
        const std::size_t len = utf8::CharLength(text, i);
        // U+0080 to U+009F are C2 80 to C2 9F.
        if (len == 2 && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            out.push_back('?');
        else
            out.append(text.substr(i, len));
        i += len;
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
