#include "document/DocumentFiles.h"

#include "document/AtomicFile.h"
#include "document/RtfWriter.h"

namespace tabulo {

void WritePlainText(const Document& document, ByteSink& out) {
    bool first = true;
    for (const Paragraph& p : document.Paragraphs()) {
        if (!first) out.Write("\r\n");
        first = false;
        for (const TextRun& run : p.runs)
            out.Write(run.text);
    }
}

void SaveAsPlainText(const Document& document, const std::string& path) {
    WriteFileAtomically(path, [&document](ByteSink& out) { WritePlainText(document, out); });
}

void SaveAsRtf(const Document& document, const std::string& path) {
    WriteFileAtomically(path, [&document](ByteSink& out) { WriteRtf(document, out); });
}

}  // namespace tabulo
