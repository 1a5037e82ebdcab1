#include "metadata/IniFile.h"

#include "metadata/ByteSource.h"
#include "metadata/TextDecoding.h"

namespace tabulo {

namespace {

// An Internet shortcut is a few hundred bytes; a larger file is read this far.
constexpr std::size_t kMaxIniBytes = std::size_t{1024} * 1024;

std::string_view TrimBlanks(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const std::size_t end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

bool EqualAsciiIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && text::AsciiUpper(a) == text::AsciiUpper(b);
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inSection = false;
    for (std::string_view line : text::SplitLines(text)) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name =
                line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
            inSection = EqualAsciiIgnoreCase(TrimBlanks(name), section);
            continue;
        }
        if (!inSection) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !EqualAsciiIgnoreCase(TrimBlanks(line.substr(0, eq)), key)) continue;
        std::string_view value = TrimBlanks(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

std::string UrlComment(const std::string& path) {
    InputFile file(path);
    if (!file.IsOpen()) return {};
    const std::string content = file.Head(kMaxIniBytes);
    return text::ShownText(IniValue(content, "InternetShortcut", "URL").value_or(std::string()));
}

}  // namespace tabulo
