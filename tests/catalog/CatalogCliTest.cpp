#include <gtest/gtest.h>

#include <atomic>
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

class CatalogCliTest : public ::testing::Test {
  protected:
    CatalogCliTest() {
        tree.Text("disk1.idx",
                  "<Startdir C:\\Docs\r\n"
                  "C:\\Docs\\a.txt/120/01.02.2006 10:00>>first file\r\n"
                  "C:\\Docs\\b.doc/3000/02.02.2006\r\n");
        catalog = tree.Path("disk1.idx");
    }
    test::TempTree tree;
    std::string catalog;
};

TEST_F(CatalogCliTest, ImportOptionFormsListTheCatalogWithTheIncludePattern) {
    const std::string expected =
        "\nDirectory of C:\\Docs\n\n"
        "a.txt                            120 01.02.2006 10:00 \n"
        "b.doc                          3.000    02.02.2006 \n"
        "\n 2 file(s) found\n Total file size 3.120 bytes\n";
    const std::vector<std::vector<std::string>> forms = {
        {"-i" + catalog},
        {"-i", catalog},
        {"--import-catalog", catalog},
        {"--import-catalog=" + catalog},
    };
    for (const auto& args : forms) {
        SCOPED_TRACE(args[0]);
        const CliRun run = RunTool(args);
        EXPECT_EQ(0, run.status);
        EXPECT_EQ("", run.err);
        EXPECT_EQ(expected, run.out);
    }
}

TEST_F(CatalogCliTest, SettingsApplyToTheCatalog) {
    const struct {
        std::vector<std::string> options;
        std::string out;
    } cases[] = {
        {{"--no-size", "--no-date", "--no-header", "--no-summary", "--uppercase"},
         "A.TXT                         \nB.DOC                         \n"},
        {{"--pattern", "%NAME|%COMM", "--set", "FixedColumns=off", "--no-header", "--no-summary", "--filter", "*.txt"},
         "a.txt|first file\n"},
        {{"--folders-only"}, "\nC:\\Docs\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options[0]);
        std::vector<std::string> args = c.options;
        args.push_back("-i" + catalog);
        const CliRun run = RunTool(args);
        EXPECT_EQ(0, run.status);
        EXPECT_EQ(c.out, run.out);
    }
}

TEST_F(CatalogCliTest, FailuresAndUsageErrors) {
    tree.Text("old.idx", "C:\\D\\a.txt/1,024 KB/01.02.2006\r\n");
    tree.Text("bad.idx", "C:\\D\\a.txt/12a/01.02.2006\r\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out, err;
    } cases[] = {
        {"old catalog format",
         {"-i" + tree.Path("old.idx")},
         1,
         "\nUnable to import catalog (old catalog format)\n",
         "tabulo-cli: Unable to import catalog. You can only import catalog files created with Vaultix 4.0 or "
         "later.\n"},
        {"size that is no number",
         {"-i" + tree.Path("bad.idx")},
         1,
         "",
         "tabulo-cli: line 1 of '" + tree.Path("bad.idx") + "': '12a' is not a valid size\n"},
        {"missing catalog",
         {"-i" + tree.Path("none.idx")},
         1,
         "",
         "tabulo-cli: cannot read catalog '" + tree.Path("none.idx") + "': No such file or directory\n"},
        {"catalog and folder",
         {"-i" + catalog, tree.Root()},
         2,
         "",
         "tabulo-cli: a catalog is listed instead of a folder, not with one\n"
         "Try 'tabulo-cli --help' for more information.\n"},
        {"-i without a path",
         {"-i"},
         2,
         "",
         "tabulo-cli: option '--import-catalog' needs FILE\nTry 'tabulo-cli --help' for more information.\n"},
        {"capital -I is no catalog option",
         {"-I" + catalog},
         2,
         "",
         "tabulo-cli: unknown option '-I'\nTry 'tabulo-cli --help' for more information.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = RunTool(c.args);
        EXPECT_EQ(c.status, run.status);
        EXPECT_EQ(c.out, run.out);
        EXPECT_EQ(c.err, run.err);
    }
}

TEST_F(CatalogCliTest, CtrlCStopsTheImport) {
    const std::atomic<bool> interrupted{true};
    const CliRun run = RunTool({"-i" + catalog}, &interrupted);
    EXPECT_EQ(130, run.status);
    EXPECT_EQ("", run.out);
}

}  // namespace
}  // namespace tabulo
