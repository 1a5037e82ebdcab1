#pragma once

#include <string>

#include "document/Document.h"
#include "document/PlainTextStream.h"

namespace tabulo {

// Writes the whole document as RTF: font table, colour table, a style sheet of the styles used,
// each run's font, size, colours and emphasis, each paragraph's alignment and indents (the left
// margin added to the left indent) and the background colour. Text outside ASCII is written as
// \uN? escapes; a byte that is not UTF-8 as \'hh.
void WriteRtf(const Document& document, ByteSink& out);
std::string RtfText(const Document& document);
// A range of the document as RTF, for the clipboard.
std::string RtfText(const Document& document, DocRange range);

// RTF's scale: twentieths of a point per pixel at 96 pixels per inch.
inline constexpr int kTwipsPerPixel = 15;

}  // namespace tabulo
