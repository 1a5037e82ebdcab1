#pragma once

#include <string>
#include <string_view>

namespace tabulo {

// The target path of a Windows shell link (.lnk) file, read from its binary form: the local
// base path joined with the common path suffix, else the network share joined with the suffix,
// else the relative path of the string data. Empty when the bytes are not a shell link or name
// no file-system target. At most 260 characters.
std::string ShellLinkTarget(std::string_view bytes);
std::string ShortcutComment(const std::string& path);

}  // namespace tabulo
