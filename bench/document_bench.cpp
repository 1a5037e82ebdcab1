// Times writing a list of 100,000 lines as plain text and as RTF (and reading the RTF back).
// Built and run by document_bench.sh.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "document/Document.h"
#include "document/DocumentFiles.h"
#include "document/RtfWriter.h"

using namespace tabulo;

namespace {

double Seconds(const std::function<void()>& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A listing of `lines` lines: a bold folder header and a summary around every 100 file lines.
void FillList(Document& doc, int lines) {
    doc.SetListingFont("Courier New", 10, 0);
    int written = 0;
    for (int folder = 0; written < lines; ++folder) {
        doc.AddBoldText("\rDirectory of /home/user/music/album " + std::to_string(folder) + "\r");
        written += 3;
        for (int i = 0; i < 100 && written < lines; ++i, ++written) {
            char line[128];
            std::snprintf(line, sizeof line, "track %05d - caf\xC3\xA9 {live}.mp3        %9d  01.02.2024 ", i,
                          1000 * i + folder);
            doc.AddNormalText(line);
        }
        doc.AddNormalText("\r 100 file(s) found\r Total file size 4.950.000 bytes");
        written += 3;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::stoi(argv[1]) : 100000;
    const std::string folder = argc > 2 ? argv[2] : "/tmp";
    const std::string textPath = folder + "/document_bench.txt";
    const std::string rtfPath = folder + "/document_bench.rtf";

    Document doc;
    const double fill = Seconds([&] { FillList(doc, lines); });
    const double text = Seconds([&] { SaveAsPlainText(doc, textPath); });
    const double rtf = Seconds([&] { SaveAsRtf(doc, rtfPath); });
    const std::string rtfText = RtfText(doc);
    Document read;
    const double load = Seconds([&] { read.LoadRtf(rtfText); });

    std::printf("paragraphs           %zu\n", doc.Paragraphs().size());
    std::printf("fill document        %.3f s\n", fill);
    std::printf("write text           %.3f s  (%zu bytes)\n", text, doc.PlainText().size());
    std::printf("write RTF            %.3f s  (%zu bytes)\n", rtf, rtfText.size());
    std::printf("read RTF back        %.3f s  (%zu paragraphs)\n", load, read.Paragraphs().size());
    ::unlink(textPath.c_str());
    ::unlink(rtfPath.c_str());
    return read.Paragraphs().size() == doc.Paragraphs().size() ? 0 : 1;
}
