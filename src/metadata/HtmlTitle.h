#pragma once

#include <string>
#include <string_view>

#include "metadata/ByteSource.h"

namespace tabulo {

// The title of an HTML page as the AutoComment takes it: the text between "<TITLE>" and
// "</TITLE>" on one line (tags compared without regard to case, no attributes), trimmed. The
// first line whose title is longer than 2 characters wins; otherwise the last line's title
// (usually empty) is the result.
std::string HtmlTitleFromSource(const ByteSource& source);
std::string HtmlTitleComment(const std::string& path);

// The title candidate of one line.
std::string_view HtmlTitleOfLine(std::string_view line);

}  // namespace tabulo
