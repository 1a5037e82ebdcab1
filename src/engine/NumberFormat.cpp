#include "engine/NumberFormat.h"

#include "platform/Utf8.h"

namespace tabulo {

void AppendThousands(std::string& out, std::int64_t n, std::string_view separator) {
    if (n == 0) return;
    std::uint64_t v = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    char digits[24];
    int count = 0;
    while (v != 0) {
        digits[count++] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    if (n < 0) out.push_back('-');
    for (int i = count - 1; i >= 0; --i) {
        out.push_back(digits[i]);
        if (i > 0 && i % 3 == 0) out.append(separator);
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
