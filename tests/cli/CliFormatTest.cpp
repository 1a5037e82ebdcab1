#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using CliResult = test::CliRun;

CliResult RunWith(const std::vector<std::string>& args) {
    return test::RunCliInProcess(args);
}

// Two files, listed without folder summary, and without folder header unless the list is an
// HTML page (whose header opens the table).
class CliFormats : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.File("a.txt", 5, test::UtcTime(2020, 1, 2));
        tree.File("b.txt", 1234, test::UtcTime(2021, 5, 6));
    }
    CliResult List(std::vector<std::string> args) {
        const bool html = std::find(args.begin(), args.end(), "html") != args.end();
        args.insert(args.begin(), "--no-summary");
        if (!html) args.insert(args.begin(), "--no-header");
        args.push_back(tree.Root());
        return RunWith(args);
    }
    test::TempTree tree;
};

TEST_F(CliFormats, FormatConvertsTheGivenOrSimplePattern) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string lines;
    };
    const Row rows[] = {
        {"delimited with double quotes and the default separator",
         {"--format", "sdv", "--qualifier", "\""},
         "\"a.txt\";\"5\";\"02.01.2020 \"\n\"b.txt\";\"1234\";\"06.05.2021 \"\n"},
        {"a given pattern, comma, no qualifier: fixed columns",
         {"--pattern", "%NAME %SIZE", "--format", "sdv", "--separator", "comma", "--qualifier", "none", "--set",
          "MaxLength=8"},
         "a.txt   ,    5\nb.txt   , 1234\n"},
        {"any separator text, the pattern given after the format",
         {"--format=sdv", "--separator", " | ", "--qualifier", "'", "--pattern", "%NUMB %NAME"},
         "'01' | 'a.txt'\n'02' | 'b.txt'\n"},
        {"HTML rows",
         {"--format", "html", "--no-date"},
         "<tr><td>a.txt</td><td align=\"right\">5&nbsp;&nbsp;</td></tr>\n"
         "<tr><td>b.txt</td><td align=\"right\">1.234&nbsp;&nbsp;</td></tr>\n"},
        {"a pattern that already holds cells is not wrapped again",
         {"--format", "html", "--pattern", "<tr><td>%NAME</td></tr>"},
         "<tr><td>a.txt</td></tr>\n<tr><td>b.txt</td></tr>\n"},
        {"nor one that is already delimited", {"--format", "sdv", "--pattern", "%NAME;%SIZE"}, "a.txt;5\nb.txt;1234\n"},
        {"a raw pattern is never converted",
         {"--raw-pattern", "%NAME|%SIZE", "--format", "sdv"},
         "a.txt|5\nb.txt|1234\n"},
        {"a pattern that looks delimited stays plain lines without --format",
         {"--pattern", "%NAME;%SIZE", "--set", "MaxLength=8"},
         "a.txt   ;    5\nb.txt   ;1.234\n"},
        {"a format set by name takes the pattern as it is",
         {"--set", "rbSDV=on", "--pattern", "%NAME;%SIZE"},
         "a.txt;5\nb.txt;1234\n"},
        {"the later format choice wins",
         {"--set", "rbSDV=on", "--format", "normal", "--pattern", "%NAME;%SIZE", "--set", "MaxLength=8"},
         "a.txt   ;    5\nb.txt   ;1.234\n"},
        {"an explicit setting keeps its value",
         {"--format", "sdv", "--qualifier", "none", "--set", "FixedColumns=off", "--set", "FormatSDV=off"},
         "a.txt;5;02.01.2020 \nb.txt;1.234;06.05.2021 \n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult run = List(row.args);
        EXPECT_EQ(0, run.status) << run.err;
        std::string body = run.out;
        // HTML lines stand between the table tags of the page.
        if (const auto start = body.find("<table>\n"); start != std::string::npos) {
            body = body.substr(start + 8, body.find("</table>") - start - 8);
        }
        EXPECT_EQ(row.lines, body);
    }
}

TEST_F(CliFormats, PatternFieldsFollowFromThePattern) {
    // %ATIM has the file times read (a midnight time shows the date alone); %TIME puts the time
    // into the date column.
    const CliResult run = List({"--pattern", "%NAME %DATE %TIME [%ATIM]", "--set", "FixedColumns=off"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "a.txt 02.01.2020 00:00:00  [02.01.2020 ]\n"
        "b.txt 06.05.2021 00:00:00  [06.05.2021 ]\n",
        run.out);
}

TEST(CliPreview, PrintsThePatternWithSampleValues) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
    };
    const Row rows[] = {
        {{"--preview", "%NUMB. %NAME %SIZE"}, "01. LONG FILENAME.EXT 10 800\n"},
        {{"--set", "NumDigits=3", "--kb", "--lowercase", "--preview", "%NUMB. %NAME %SIZE", "folder"},
         "001. long filename.ext 10 KB\n"},
    };
    for (const Row& row : rows) {
        const CliResult run = RunWith(row.args);
        EXPECT_EQ(0, run.status);
        EXPECT_EQ(row.out, run.out);
    }
    const CliResult bad = RunWith({"--separator", "", "."});
    EXPECT_EQ(2, bad.status);
    EXPECT_EQ(0u, bad.err.find("tabulo-cli: --separator needs a text\n")) << bad.err;
}

}  // namespace
}  // namespace tabulo
