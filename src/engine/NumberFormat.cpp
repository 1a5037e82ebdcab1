#include "engine/NumberFormat.h"

#include <cstring>

#include "platform/Utf8.h"

namespace tabulo {

void AppendThousands(std::string& out, std::int64_t n, std::string_view separator) {
    if (n == 0) return;
    std::uint64_t v = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    // Written backwards into a buffer: at most 20 digits, 6 separators of up to 8 bytes, a sign.
    char buffer[80];
    char* p = buffer + sizeof buffer;
    const bool shortSeparator = separator.size() <= 8;
    int digits = 0;
    while (v != 0) {
        if (digits > 0 && digits % 3 == 0 && shortSeparator) {
            p -= separator.size();
            std::memcpy(p, separator.data(), separator.size());
        }
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
        ++digits;
    }
    if (n < 0) *--p = '-';
    if (shortSeparator) {
        out.append(p, static_cast<std::size_t>(buffer + sizeof buffer - p));
        return;
    }
    // A separator longer than eight bytes: digit by digit.
    const std::string_view text(p, static_cast<std::size_t>(buffer + sizeof buffer - p));
    std::size_t left = static_cast<std::size_t>(digits);
    for (char c : text) {
        out.push_back(c);
        if (c == '-') continue;
        if (--left > 0 && left % 3 == 0) out.append(separator);
    }
}

std::string FormatThousands(std::int64_t n, std::string_view separator) {
    std::string s;
    AppendThousands(s, n, separator);
    return s;
}

std::int64_t KBValue(std::int64_t n) {
    if (n == 0) return 0;
    if (n < 1024) return 1;
    return n / 1024;
}

std::string FormatKB(std::int64_t n) {
    if (n == 0) return "0 KB";
    return std::to_string(KBValue(n)) + " KB";
}

void AppendFitted(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t count = utf8::CharCount(text);
    if (count > width) {
        out.append(utf8::FirstChars(text, width >= 2 ? width - 2 : 0));
        out.append(width >= 2 ? 2 : width, '.');
    } else {
        out.append(text);
        out.append(width - count, ' ');
    }
}

std::string FitToWidth(std::string_view text, std::size_t width) {
    std::string s;
    AppendFitted(s, text, width);
    return s;
}

void PadLeft(std::string& text, std::size_t width) {
    const std::size_t count = utf8::CharCount(text);
    if (count < width) text.insert(0, width - count, ' ');
}

}  // namespace tabulo
