#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "document/Document.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

class CliOutputFormat : public ::testing::Test {
  protected:
    void SetUp() override {
        test::PinTimeZone();
        tree_.File("list/a.txt", 1200);
        tree_.File("list/b.mp3", 5000000);
        tree_.Folder("out");
    }

    // Runs tabulo-cli on the "list" folder; returns the exit status.
    int Run(std::vector<std::string> args) {
        args.push_back(tree_.Path("list"));
        out_.text.clear();
        err_.str("");
        CliIo io{out_, err_};
        io.locale = &locale_;
        return RunCli(args, io);
    }

    std::string Out(const std::string& name) const { return tree_.Path("out/" + name); }

    test::TempTree tree_;
    Locale locale_;
    StringSink out_;
    std::ostringstream err_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

TEST_F(CliOutputFormat, RtfFileHoldsTheTextListWithBoldHeaders) {
    ASSERT_EQ(0, Run({}));
    const std::vector<std::string> textLines = Lines(out_.text);

    ASSERT_EQ(0, Run({"-o", Out("list.RTF")})) << err_.str();
    EXPECT_EQ("", out_.text);
    Document read;
    read.LoadRtf(test::ReadFile(Out("list.RTF")));
    std::vector<std::string> rtfLines;
    std::vector<std::string> boldLines;
    for (const Paragraph& p : read.Paragraphs()) {
        rtfLines.push_back(p.Text());
        if (!p.Text().empty() && read.TextStyles()[static_cast<std::size_t>(p.runs[0].style)].bold) {
            boldLines.push_back(p.Text());
        }
    }
    EXPECT_EQ(textLines, Lines(read.PlainText("\n") + "\n"));
    ASSERT_FALSE(boldLines.empty());
    EXPECT_NE(std::string::npos, boldLines[0].find(tree_.Path("list")));
    EXPECT_EQ("Courier New", read.TextStyles()[static_cast<std::size_t>(read.Paragraphs()[1].runs[0].style)].fontName);
}

TEST_F(CliOutputFormat, FormatFollowsTheOptionThenTheName) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string file;  // empty: standard output
        bool rtf;
    };
    const Row rows[] = {
        {"rtf to standard output", {"--output-format", "rtf"}, "", true},
        {"text into a .rtf file", {"--output-format=text", "-o", Out("a.rtf")}, "a.rtf", false},
        {"rtf into a .txt file", {"--output-format", "rtf", "-o", Out("b.txt")}, "b.txt", true},
        {"an HTML list stays a page", {"--format", "html", "-o", Out("page.html")}, "page.html", false},
        {"an HTML list in a .rtf file", {"--format", "html", "-o", Out("page.rtf")}, "page.rtf", false},
        {"a delimited list in a .rtf file", {"--format", "sdv", "-o", Out("list.rtf")}, "list.rtf", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(0, Run(row.args)) << err_.str();
        const std::string written = row.file.empty() ? out_.text : test::ReadFile(Out(row.file));
        EXPECT_EQ(row.rtf, written.rfind("{\\rtf1", 0) == 0) << written.substr(0, 40);
    }
    ASSERT_EQ(0, Run({"--format", "html", "-o", Out("page.html")}));
    EXPECT_EQ("<html>\n", test::ReadFile(Out("page.html")).substr(0, 7));
}

TEST_F(CliOutputFormat, UnknownFormatIsAUsageError) {
    EXPECT_EQ(2, Run({"--output-format", "pdf"}));
    EXPECT_NE(std::string::npos, err_.str().find("bad value 'pdf' for --output-format: expected text or rtf"));
}

}  // namespace
}  // namespace tabulo
