#pragma once

#include <string>

#include "document/Document.h"
#include "document/PlainTextStream.h"

namespace tabulo {

// The document as plain text: the paragraphs' texts joined by CR LF, no styles, no wrapping, the
// bytes as held; an empty document gives nothing.
void WritePlainText(const Document& document, ByteSink& out);

// Write the whole document to a file through a temporary name and a rename, so a failed write
// leaves the old file as it was; throw TabuloError naming the file and the reason.
void SaveAsPlainText(const Document& document, const std::string& path);
void SaveAsRtf(const Document& document, const std::string& path);

}  // namespace tabulo
