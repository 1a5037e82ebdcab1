#include "metadata/HtmlTitle.h"

#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

// Lines longer than this are looked at this far: a title never stands megabytes into a line.
constexpr std::size_t kMaxLineBytes = std::size_t{1024} * 1024;

}  // namespace

std::string_view HtmlTitleOfLine(std::string_view line) {
    const std::string upper = text::AsciiUpper(line);
    const std::size_t open = upper.find("<TITLE>");
    if (open == std::string::npos) return {};
    const std::size_t start = open + 7;
    const std::size_t close = upper.find("</TITLE>");
    if (close == std::string::npos || close < start) return {};
    return text::Trim(line.substr(start, close - start));
}

std::string HtmlTitleFromSource(const ByteSource& source) {
    std::string title;
    ForEachLine(source, kMaxLineBytes, [&title](std::string_view line) {
        title = HtmlTitleOfLine(line);
        return utf8::CharCount(title) <= 2;
    });
    return text::ShownText(title);
}

std::string HtmlTitleComment(const std::string& path) {
    InputFile file(path);
    if (!file.IsOpen()) return {};
    return HtmlTitleFromSource(file);
}

}  // namespace tabulo
