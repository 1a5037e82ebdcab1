// tabulo-cli with the settings store: it starts from the stored settings, writes them only when
// asked, and saves and loads profiles.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "settings/RegistryTree.h"
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

class CliSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::PinTimeZone();
        tree.File("list/Alpha.txt", 99, test::UtcTime(2021, 3, 4, 10, 20));
        tree.File("list/beta.bin", 1200, test::UtcTime(2020, 1, 2));
        tree.File("list/sub/gamma.TXT", 70000, test::UtcTime(2019, 5, 6));
        tree.File("list/sub/deeper/delta.txt", 5, test::UtcTime(2018, 7, 8));
        tree.File("list/.hidden", 3, test::UtcTime(2022, 9, 10));
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
        {"--pattern", "%NUMB. %NAME %ATTR", "--set", "NumDigits=3", "--hidden"},
        {"--format", "html"},
        {"--no-date", "--format", "sdv", "--separator", "comma", "--qualifier", "'"},
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
    EXPECT_EQ(std::vector<std::string>{}, SettingsStore(store).OpenKey(kMainKey, false)->ValueNames());

    // Options given with a profile apply on top of it.
    EXPECT_EQ(Run(With(options, {"--no-size", folder})).out, Run({"--profile", "Music", "--no-size", folder}).out);
}

TEST_F(CliSettingsTest, TheStoredModeAndFormatStayUntilTheCommandLineChangesThem) {
    ASSERT_EQ(
        0, Run({"--no-date", "--format", "sdv", "--separator", "comma", "--qualifier", "'", "--save-settings"}).status);
    struct Row {
        const char* name;
        Args args;
        std::string lines;
    };
    const Row rows[] = {
        {"the stored delimited list", {}, "'Alpha.txt','99'\n'beta.bin','1200'\n"},
        {"another separator rewrites its joints", {"--separator", "tab"}, "'Alpha.txt'\t'99'\n'beta.bin'\t'1200'\n"},
        {"another qualifier too", {"--qualifier", "\""}, "\"Alpha.txt\",\"99\"\n\"beta.bin\",\"1200\"\n"},
        {"a given pattern keeps the format in force", {"--pattern", "%SIZE %NAME"}, "99 Alpha.txt\n1200 beta.bin\n"},
        {"simple mode by name",
         {"--set", "AdvancedMode=off", "--max-length", "10"},
         "Alpha.txt     99\nbeta.bin    1200\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = Run(With(row.args, {"--no-header", "--no-summary", folder}));
        EXPECT_EQ(0, r.status) << r.err;
        EXPECT_EQ(row.lines, r.out);
    }
    const Result html = Run({"--format", "html", "--no-header", folder});
    EXPECT_NE(std::string::npos, html.out.find("<tr><td>Alpha.txt</td><td align=\"right\">99&nbsp;&nbsp;</td></tr>\n"))
        << html.out;

    // Simple mode saved stays simple; the Advanced window keeps its pattern for later.
    ASSERT_EQ(0, Run({"--set", "AdvancedMode=off", "--save-settings"}).status);
    EXPECT_EQ("Alpha.txt                         99\nbeta.bin                        1200\n",
              Run({"--no-header", "--no-summary", folder}).out);
    EXPECT_EQ("'Alpha.txt','99'\n'beta.bin','1200'\n",
              Run({"--set", "AdvancedMode=on", "--no-header", "--no-summary", folder}).out);
}

// Loading a profile and saving it again under another name writes what it read: every value of
// every group comes back. (The exclusion lists are not part of loading a profile, and the current
// folder is read from the main key only.)
TEST_F(CliSettingsTest, AProfileLoadsBackEveryValueItStored) {
    const Args rows[] = {
        {"--kb", "--sort", "size", "--descending", "--recurse", "--levels", "4", "--time", "--attributes", "--set",
         "FontSize=14", "--set", "UseDefaultFont=on", "--max-length", "40", "--folders-only"},
        {"--pattern", "%NUMB %NAME %MP3_TIT %IPTC_CAP", "--format", "html", "--set", "NumDigits=5", "--hidden", "--set",
         "cbURL=on", "--set", "LongCaption=0", "--set", "MaxCaptionLength=80", "--set", "MaxLengthComment=60",
         "--tree"},
        {"--format", "sdv", "--separator", "|", "--qualifier", "none", "--lowercase", "--no-summary"},
    };
    // The values of a profile's main group and its three groups, as "group\\name=value".
    const auto values = [](const RegistryKey* key) {
        std::vector<std::string> all;
        const auto add = [&all](std::string_view group, const RegistryKey& k) {
            for (const RegistryValue& v : k.values) {
                all.push_back(std::string(group) + "\\" + v.name + "=" +
                              (v.kind == ValueKind::Integer ? std::to_string(v.integer) : v.text));
            }
        };
        if (!key) return all;
        add("", *key);
        for (const char* group : {"Options", "Advanced", "PageSetup"}) {
            if (const RegistryKey* sub = key->FindSubkey(group)) add(group, *sub);
        }
        return all;
    };
    for (const Args& options : rows) {
        SCOPED_TRACE(::testing::PrintToString(options));
        std::filesystem::remove(store);
        ASSERT_EQ(0, Run(With(options, {"--save-profile", "Saved"})).status);
        ASSERT_EQ(0, Run({"--profile", "saved", "--save-profile", "Again"}).status);
        const RegistryTree file = SettingsStore(store).Read();
        const auto saved = values(file.Find(SettingsKey("Saved")));
        EXPECT_EQ(26u + 16u + 32u + 9u, saved.size());  // the four groups whole
        EXPECT_EQ(saved, values(file.Find(SettingsKey("Again"))));
        EXPECT_EQ(Run(With(options, {folder})).out, Run({"--profile", "Saved", folder}).out);
    }
}

TEST_F(CliSettingsTest, ARunThatIsNotAskedToSaveWritesNothing) {
    Run({folder});
    EXPECT_FALSE(std::filesystem::exists(store));

    ASSERT_EQ(0, Run({"--kb", "--save-settings"}).status);
    const std::string before = test::ReadFile(store);
    struct stat st {};
    ::stat(store.c_str(), &st);
    Run({"--no-header", "--profile", "", folder});
    Run({"--list-profiles"});
    struct stat after {};
    ::stat(store.c_str(), &after);
    EXPECT_EQ(before, test::ReadFile(store));
    EXPECT_EQ(st.st_ino, after.st_ino);
}

TEST_F(CliSettingsTest, NoSettingsStartsFromTheFactorySettings) {
    ASSERT_EQ(0, Run({"--kb", "--save-settings"}).status);
    ::setenv("TABULO_SETTINGS", store.c_str(), 1);
    EXPECT_NE(Run({folder}, false).out, Run({"--no-settings", folder}, false).out);
    EXPECT_EQ(Run({"--settings", tree.Path("none.reg"), folder}, false).out, Run({"--no-settings", folder}, false).out);
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
        {"settings off and saving", {"--no-settings", "--save-settings"}, false, 2, "--no-settings cannot"},
        {"unusable profile name", {"--save-profile", "a\\\\b"}, true, 2, "cannot use 'a\\\\b' as a profile name"},
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
