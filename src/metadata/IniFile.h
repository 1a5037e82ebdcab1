#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulo {

// The value of `key` in `[section]` of an INI text, as Windows' profile reader gives it: section
// and key names match without regard to case, blanks around names and values are removed, and
// one pair of matching quotes around a value is taken off. The first such key wins; none when
// the text has no such key.
std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key);

// The "URL" of the "InternetShortcut" section of an Internet shortcut (.url) file; empty when it
// has none or cannot be read.
std::string UrlComment(const std::string& path);

}  // namespace tabulo
