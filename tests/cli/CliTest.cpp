#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using test::CliRun;

CliRun RunTool(const std::vector<std::string>& args, const std::atomic<bool>* interrupted = nullptr) {
    return test::RunCliInProcess(args, interrupted);
}

TEST(Cli, ListsAFolderWithLineEnds) {
    test::TempTree tree;
    tree.File("b.txt", 2000, test::UtcTime(2021, 5, 6));
    tree.File("a.txt", 1, test::UtcTime(2020, 1, 2));
    const CliRun run = RunTool({"--pattern", "%NAME %SIZE %DATE", "--set", "FixedColumns=off", tree.Root()});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "\nDirectory of " + tree.Root() +
            "\n\na.txt 1 02.01.2020 \nb.txt 2.000 06.05.2021 \n\n 2 file(s) found\n Total file size 2.001 bytes\n",
        run.out);
    EXPECT_EQ("", run.err);

    const CliRun crlf = RunTool({"--crlf", "--no-header", "--no-summary", "--pattern=%NAME", tree.Root()});
    EXPECT_EQ("a.txt" + std::string(25, ' ') + "\r\nb.txt" + std::string(25, ' ') + "\r\n", crlf.out);
}

TEST(Cli, SimpleModePatternFollowsTheIncludeSettings) {
    test::TempTree tree;
    tree.File("a.txt", 5, test::UtcTime(2020, 1, 2, 3, 4, 5));
    const CliRun run =
        RunTool({"--no-header", "--no-summary", "--time", "--no-size", "--attributes", "--thousands-separator", ",",
                 "--time-format", "H:mm", "--short-time-format", "H:mm", tree.Root()});
    // %NAME %DATE %TIME %ATTR: the date column is filled to 10 + 4 + 6 characters.
    EXPECT_EQ("a.txt" + std::string(25, ' ') + " " + std::string(5, ' ') + "02.01.2020 3:04  \n", run.out);
}

TEST(Cli, WritesTheOutputFileOnlyWhenComplete) {
    test::TempTree tree;
    tree.File("data/a.txt", 1);
    tree.Text("out/list.txt", "old list");
    const std::string out = tree.Path("out/list.txt");
    const CliRun run = RunTool({"--no-header", "--no-summary", "--pattern", "%NAME", "-o", out, tree.Path("data")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.out);
    EXPECT_EQ("a.txt" + std::string(25, ' ') + "\n", test::ReadFile(out));
    // No temporary file is left beside the list.
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(tree.Path("out")), {}));

    const CliRun failed = RunTool({"-o", tree.Path("missing/list.txt"), tree.Path("data")});
    EXPECT_EQ(1, failed.status);
    EXPECT_NE(std::string::npos, failed.err.find("cannot write '" + tree.Path("missing/list.txt") + "'"));
}

TEST(Cli, UsageErrors) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Row rows[] = {
        {{}, 2, "tabulo-cli: no folder given\n"},
        {{"a", "b"}, 2, "tabulo-cli: only one folder can be listed\n"},
        {{"--colour", "x"}, 2, "tabulo-cli: unknown option '--colour'\n"},
        {{"--levels"}, 2, "tabulo-cli: option '--levels' needs N\n"},
        {{"--set", "MaxLength=300", "."},
         2,
         "tabulo-cli: bad value '300' for MaxLength: expected a whole number from 8 to 255\n"},
        {{"--format", "pdf", "."}, 2, "tabulo-cli: bad value 'pdf' for --format: expected normal, html or sdv\n"},
        {{"/nonexistent/folder"}, 1, "tabulo-cli: cannot list '/nonexistent/folder': No such file or directory\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const CliRun run = RunTool(row.args);
        EXPECT_EQ(row.status, run.status);
        EXPECT_EQ(0u, run.err.find(row.message)) << run.err;
        EXPECT_EQ("", run.out);
    }
}

TEST(Cli, HelpListsEveryOptionAndSetting) {
    const CliRun run = RunTool({"--help"});
    EXPECT_EQ(0, run.status);
    for (const char* text : {"--recurse", "--levels N", "--all-levels", "--sort KEY", "--format FORMAT", "--tree",
                             "--dos", "--locale NAME", "--date-format FMT", "--crlf", "-o, --output FILE", "MaxLength",
                             "default '30'", "TotalSummary", "ExcludedFolders", "Exit status"}) {
        EXPECT_NE(std::string::npos, run.out.find(text)) << text;
    }
}

TEST(Cli, InterruptStillEndsTheList) {
    test::TempTree tree;
    tree.File("a/1.txt");
    tree.File("b/2.txt");
    const std::atomic<bool> interrupted{true};
    const CliRun run = RunTool({"--recurse", "--total-summary", tree.Root()}, &interrupted);
    EXPECT_EQ(130, run.status);
    EXPECT_NE(std::string::npos, run.out.find(" Total summary:"));
    EXPECT_EQ(std::string::npos, run.out.find("1.txt"));
}

TEST(Cli, AwkwardNamesListWithoutHarm) {
    test::TempTree tree;
    const std::vector<std::string> names = {"-rf",
                                            "100%SIZE",
                                            "with space",
                                            "new\nline",
                                            "bad\xFF"
                                            "byte",
                                            "%s%n"};
    for (const std::string& name : names)
        tree.File("-folder/" + name, 1);
    const CliRun run = RunTool({"--no-header", "--no-summary", "--set", "FixedColumns=off", "--pattern", "[%NAME]",
                                "--sort", "none", "--", tree.Path("-folder")});
    EXPECT_EQ(0, run.status) << run.err;
    for (const char* line : {"[-rf]\n", "[1001]\n", "[with space]\n", "[new?line]\n",
                             "[bad\xFF"
                             "byte]\n",
                             "[%s%n]\n"}) {
        EXPECT_NE(std::string::npos, run.out.find(line)) << line;
    }
}

// A few runs of the real program check the wiring of main.
TEST(CliProgram, RealBinary) {
    test::IsolateSettings();
    test::TempTree tree;
    tree.File("x.txt", 3);
    const std::string command =
        std::string(TABULO_CLI_PATH) + " --no-header --no-summary --pattern %NAME '" + tree.Root() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    char buffer[256];
    std::string output;
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ("x.txt" + std::string(25, ' ') + "\n", output);

    EXPECT_EQ(2, WEXITSTATUS(std::system((std::string(TABULO_CLI_PATH) + " --bogus 2>/dev/null").c_str())));
}

}  // namespace
}  // namespace tabulo
