#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number and column helpers of the list lines and summaries.
namespace tabulo {

// n in decimal with `separator` between groups of three digits; "-" in front when negative; the
// empty text for 0.
std::string FormatThousands(std::int64_t n, std::string_view separator);
void AppendThousands(std::string& out, std::int64_t n, std::string_view separator);

// 0 for 0; 1 for 1 to 1023 and for negative values; otherwise n div 1024.
std::int64_t KBValue(std::int64_t n);

// "0 KB" for 0, otherwise KBValue(n) in plain decimal and " KB".
std::string FormatKB(std::int64_t n);

// Longer than w characters: the first w - 2 and ".."; shorter: filled with blanks to w;
// otherwise unchanged.
std::string FitToWidth(std::string_view text, std::size_t width);
void AppendFitted(std::string& out, std::string_view text, std::size_t width);

// Puts blanks in front of `text` until it is `width` characters long.
void PadLeft(std::string& text, std::size_t width);

}  // namespace tabulo
