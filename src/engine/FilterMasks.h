#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulo {

// The masks of a filter text such as "*.zip;*.lzw;*.tar", in upper case. After each ";" at most
// 99 characters of the text are kept. Blanks around a mask stay part of it; an empty filter
// gives no masks.
std::vector<std::string> GetUserExtension(std::string_view filter);

// A file-name mask matched without regard to case: "*" stands for any run of characters, "?"
// for one character, and a mask ending in ".*" also matches the name without any extension, so
// "*.*" (like "*") matches every name.
class FileMask {
  public:
    explicit FileMask(std::string_view mask);
    bool Matches(std::string_view name) const;
    const std::string& Text() const { return upper_; }

  private:
    std::string upper_;
    bool matchesAll_ = false;
};

// Glob match of an upper-case name against an upper-case mask, character by character.
bool WildcardMatch(std::string_view name, std::string_view mask);

}  // namespace tabulo
