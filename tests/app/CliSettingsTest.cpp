// tabulo-cli with the settings store: it starts from the stored settings, writes them only when
// asked, and saves and loads profiles.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Args = std::vector<std::string>;

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CliSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::PinTimeZone();
        tree.File("list/Alpha.txt", 99, test::UtcTime(2021, 3, 4, 10, 20));
        tree.File("list/beta.bin", 1200, test::UtcTime(2020, 1, 2));
        tree.File("list/sub/gamma.TXT", 70000, test::UtcTime(2019, 5, 6));
        tree.File("list/sub/deeper/delta.txt", 5, test::UtcTime(2018, 7, 8));
        // Runs that give no --settings use this file, never the user's own.
        ::setenv("TABULO_SETTINGS", tree.Path("environment.reg").c_str(), 1);
    }

    Result Run(Args args, bool withStore = true) {
        if (withStore) args.insert(args.begin(), {"--settings", store});
        StringSink out;
        std::ostringstream err;
        Locale locale;
        CliIo io{out, err};
        io.locale = &locale;
        const int status = RunCli(args, io);
        return {status, out.text, err.str()};
    }

    Args With(Args args, std::initializer_list<std::string> more) {
        args.insert(args.end(), more);
        return args;
    }

    test::TempTree tree;
    std::string folder = tree.Path("list");
    std::string store = tree.Path("config/settings.reg");
};

TEST_F(CliSettingsTest, SavedSettingsAreInForceAtTheNextRun) {
    const Args rows[] = {
        {"--kb", "--no-header"},
        {"--sort", "size", "--descending"},
        {"--recurse", "--levels", "1", "--relative"},
        {"--all-levels", "--tree", "--set", "IgnoreMaxColumnSize=on"},
        {"--exclude-ext", ".bin;.TXT", "--no-summary"},
        {"--time", "--attributes", "--no-size", "--max-length", "12"},
        {"--uppercase", "--dos"},
    };
    for (const Args& options : rows) {
        SCOPED_TRACE(::testing::PrintToString(options));
        std::filesystem::remove(store);
        const Result explicitRun = Run(With(options, {folder}));
        ASSERT_EQ(0, explicitRun.status) << explicitRun.err;
        ASSERT_EQ(0, Run(With(options, {"--save-settings"})).status);
        const Result storedRun = Run({folder});
        EXPECT_EQ(0, storedRun.status) << storedRun.err;
        EXPECT_EQ(explicitRun.out, storedRun.out);
        EXPECT_NE(Run({folder}, false).out,
                  storedRun.out);  // and differs from the factory settings
    }
}

TEST_F(CliSettingsTest, AProfileLoadsBackWhatItWasSavedWith) {
    const Args options = {"--kb", "--sort", "date", "--recurse", "--no-header"};
    const Result explicitRun = Run(With(options, {folder}));
    ASSERT_EQ(0, Run(With(options, {"--save-profile", "Music"})).status);

    const Result profileRun = Run({"--profile", "MUSIC", folder});
    EXPECT_EQ(0, profileRun.status) << profileRun.err;
    EXPECT_EQ(explicitRun.out, profileRun.out);
    EXPECT_EQ(Run({folder}, false).out, Run({folder}).out);  // the main key holds nothing
    EXPECT_EQ(std::vector<std::string>{},
              SettingsStore(store).OpenKey(kMainKey, false)->ValueNames());

    // Options given with a profile apply on top of it.
    EXPECT_EQ(Run(With(options, {"--no-size", folder})).out,
              Run({"--profile", "Music", "--no-size", folder}).out);
}

TEST_F(CliSettingsTest, ARunThatIsNotAskedToSaveWritesNothing) {
    Run({folder});
    EXPECT_FALSE(std::filesystem::exists(store));

    ASSERT_EQ(0, Run({"--kb", "--save-settings"}).status);
    const std::string before = ReadBytes(store);
    struct stat st {};
    ::stat(store.c_str(), &st);
    Run({"--no-header", "--profile", "", folder});
    Run({"--list-profiles"});
    struct stat after {};
    ::stat(store.c_str(), &after);
    EXPECT_EQ(before, ReadBytes(store));
    EXPECT_EQ(st.st_ino, after.st_ino);
}

TEST_F(CliSettingsTest, NoSettingsStartsFromTheFactorySettings) {
    ASSERT_EQ(0, Run({"--kb", "--save-settings"}).status);
    ::setenv("TABULO_SETTINGS", store.c_str(), 1);
    EXPECT_NE(Run({folder}, false).out, Run({"--no-settings", folder}, false).out);
    EXPECT_EQ(Run({"--settings", tree.Path("none.reg"), folder}, false).out,
              Run({"--no-settings", folder}, false).out);
}

TEST_F(CliSettingsTest, TheEnvironmentNamesTheFileUnlessSettingsDoes) {
    ASSERT_EQ(0, Run({"--kb", "--save-settings"}, false).status);
    EXPECT_TRUE(std::filesystem::exists(tree.Path("environment.reg")));
    EXPECT_FALSE(std::filesystem::exists(store));
}

TEST_F(CliSettingsTest, ListsTheProfilesSortedIgnoringCase) {
    for (const char* name : {"photos", "Music", "archive\\2023"}) {
        ASSERT_EQ(0, Run({"--save-profile", name}).status);
    }
    const Result r = Run({"--list-profiles"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("archive\nMusic\nphotos\n", r.out);
}

TEST_F(CliSettingsTest, ProblemsAreReportedWithTheirReason) {
    ASSERT_EQ(0, Run({"--save-profile", "Music"}).status);
    tree.Folder("a-folder.reg");
    struct Row {
        const char* name;
        Args args;
        bool withStore;
        int status;
        std::string message;
    };
    const Row rows[] = {
        {"unknown profile",
         {"--profile", "Films", folder},
         true,
         2,
         "no profile named 'Films' in " + store + "; profiles: Music"},
        {"settings off and a profile",
         {"--no-settings", "--profile", "Music", folder},
         true,
         2,
         "--no-settings cannot"},
        {"settings off and saving",
         {"--no-settings", "--save-settings"},
         false,
         2,
         "--no-settings cannot"},
        {"unusable profile name",
         {"--save-profile", "a\\\\b"},
         true,
         2,
         "cannot use 'a\\\\b' as a profile name"},
        {"nothing to do", {}, true, 2, "no folder given"},
        {"a file that cannot be written",
         {"--settings", tree.Path("a-folder.reg"), "--save-settings"},
         false,
         1,
         "cannot save settings to '" + tree.Path("a-folder.reg") + "'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = Run(row.args, row.withStore);
        EXPECT_EQ(row.status, r.status);
        EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
    }
}

}  // namespace
}  // namespace tabulo
