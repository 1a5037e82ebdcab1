#include <gtest/gtest.h>

#include "metadata/ByteSource.h"
#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {
namespace {

using Lines = std::vector<std::string>;

Lines Collect(const std::vector<std::string_view>& views) {
    return Lines(views.begin(), views.end());
}

TEST(TextDecoding, SplitsLinesAtCrLfAndCrLf) {
    struct Case {
        const char* name;
        std::string text;
        Lines lines;
    } cases[] = {
        {"empty text has no line", "", {}},
        {"final break starts no line", "a\r\n", {"a"}},
        {"CR, LF and CR LF each end a line", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"empty lines are kept", "\n\nx", {"", "", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lines, Collect(text::SplitLines(c.text)));
    }
}

TEST(TextDecoding, ChunkedLinesMatchSplitLines) {
    // Line breaks placed right at the 64 KiB chunk boundary, a CR LF split across it, and a line
    // longer than the cut.
    std::string text(65535, 'a');
    text += "\r\nb\r";
    text += std::string(70000, 'c');
    text += "\n\nd";
    const MemorySource source(text);
    Lines seen;
    ForEachLine(source, 1 << 20, [&seen](std::string_view line) {
        seen.emplace_back(line);
        return true;
    });
    EXPECT_EQ(Collect(text::SplitLines(text)), seen);

    Lines cut;
    ForEachLine(source, 10, [&cut](std::string_view line) {
        cut.emplace_back(line);
        return cut.size() < 2;
    });
    EXPECT_EQ((Lines{std::string(10, 'a'), "b"}), cut);
}

TEST(TextDecoding, ShownTextKeepsUtf8AndReadsOtherBytesAsWindows1252) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"UTF-8 stays", "Caf\xC3\xA9", "Caf\xC3\xA9"},
        {"Latin-1 byte", "Caf\xE9", "Caf\xC3\xA9"},
        {"1252 euro and quotes", "\x80 \x93x\x94", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        {"terminal escape is defused", "a\x1B[2Jb", "a?[2Jb"},
        {"tab CR LF stay", "a\tb\r\nc", "a\tb\r\nc"},
        {"C1 control in UTF-8", "x\xC2\x9By", "x?y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shown, text::ShownText(c.bytes));
    }
}

TEST(TextDecoding, Utf16WithSurrogates) {
    EXPECT_EQ("A\xC3\xA9\xF0\x9F\x98\x80", utf8::FromUtf16Le(std::string("A\0\xE9\0\x3D\xD8\x00\xDE", 8)));
    EXPECT_EQ(
        "\xEF\xBF\xBD"
        "B",
        utf8::FromUtf16Le(std::string("\x3D\xD8"
                                      "B\0",
                                      4)));  // lone surrogate
}

}  // namespace
}  // namespace tabulo
