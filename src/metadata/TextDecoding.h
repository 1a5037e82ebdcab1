#pragma once

#include <string>
#include <string_view>
#include <vector>

// Turning bytes read from inside files into the UTF-8 texts of a list.
namespace tabulo::text {

// The text of bytes from a file: kept as they are when they are valid UTF-8, otherwise read as
// Windows-1252 (the code page such tags and text files were mostly written in). Control
// characters other than tab, CR and LF become '?', so a file cannot send terminal commands
// through the list.
std::string ShownText(std::string_view bytes);

// Blanks and control characters (bytes up to 0x20) removed at both ends or at the end.
std::string_view Trim(std::string_view s);
std::string_view TrimRight(std::string_view s);

// The lines of a text: a line ends at CR, LF or CR LF; a final line break does not start another
// line, so "" gives no line and "a\r\n" one.
std::vector<std::string_view> SplitLines(std::string_view text);

// ASCII upper case, byte for byte (offsets stay the same).
std::string AsciiUpper(std::string_view s);

}  // namespace tabulo::text
