#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "support/TempTree.h"

namespace tabulo {
namespace {

using test::TempTree;

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    TempTree tree;
    std::string path = tree.Path("settings.reg");
    SettingsStore store{path};
};

TEST_F(SettingsStoreTest, WritesRegistryExportTextAndReadsItBack) {
    {
        auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro", true);
        ASSERT_NE(nullptr, key);
        key->WriteText("FontName", "Courier New");
        key->WriteInteger("FontSize", 1);
        key->WriteInteger("FontColor", -1);
        key->WriteBool("Maximized", true);
        key->WriteText("CurrentFolder", "C:\\Data \"old\"");
    }
    {
        auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Options", true);
        key->WriteBool("KB", false);
    }
    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\n"
        "\n"
        "[Software\\Quenbright\\Tabulo Pro]\n"
        "\"FontName\"=\"Courier New\"\n"
        "\"FontSize\"=dword:00000001\n"
        "\"FontColor\"=dword:ffffffff\n"
        "\"Maximized\"=dword:00000001\n"
        "\"CurrentFolder\"=\"C:\\\\Data \\\"old\\\"\"\n"
        "\n"
        "[Software\\Quenbright\\Tabulo Pro\\Options]\n"
        "\"KB\"=dword:00000000\n"
        "\n",
        test::ReadFile(path));

    SettingsStore again(path);
    auto key = again.OpenKey("Software\\Quenbright\\Tabulo Pro", false);
    ASSERT_NE(nullptr, key);
    EXPECT_EQ("C:\\Data \"old\"", key->ReadText("CurrentFolder"));
    EXPECT_EQ(-1, key->ReadInteger("FontColor"));
    EXPECT_EQ(true, key->ReadBool("FontColor"));
    EXPECT_EQ(false, again.OpenKey("Software\\Quenbright\\Tabulo Pro\\Options", false)->ReadBool("KB"));
}

TEST_F(SettingsStoreTest, ReadsFollowTheKindRules) {
    tree.Text("settings.reg",
              "[A]\n"
              "\"Text\"=\"x\"\n"
              "\"Number\"=dword:0000002a\n"
              "\"Binary\"=hex:01,02\n");
    auto key = store.OpenKey("A", false);
    ASSERT_NE(nullptr, key);
    struct Row {
        const char* name;
        std::optional<std::string> text;
        std::optional<std::int32_t> integer;
    };
    const Row rows[] = {
        {"Text", "x", std::nullopt},
        {"Number", std::nullopt, 42},
        {"Binary", std::nullopt, std::nullopt},
        {"Absent", "", std::nullopt},  // an absent text reads as empty; an absent number fails
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text, key->ReadText(row.name));
        EXPECT_EQ(row.integer, key->ReadInteger(row.name));
    }
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToCaseAndKeepTheirStoredSpelling) {
    {
        auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Settings\\Music", true);
        key->WriteText("FontName", "Arial");
        key->WriteInteger("Levels", 3);
    }
    {
        auto key = store.OpenKey("SOFTWARE\\quenbright\\TABULO PRO\\settings\\MUSIC", false);
        ASSERT_NE(nullptr, key);
        EXPECT_EQ("Arial", key->ReadText("fontname"));
        key->WriteText("FONTNAME", "Tahoma");
    }
    auto settings = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Settings", false);
    EXPECT_EQ(std::vector<std::string>{"Music"}, settings->SubkeyNames());
    auto music = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Settings\\Music", false);
    EXPECT_EQ((std::vector<std::string>{"FontName", "Levels"}), music->ValueNames());
    EXPECT_EQ("Tahoma", music->ReadText("FontName"));
}

TEST_F(SettingsStoreTest, SubkeysListAlphabeticallyIgnoringCaseAndValuesInStoreOrder) {
    for (const char* name : {"zeta", "Alpha", "beta", "Gamma\\inner"}) {
        store.OpenKey(std::string("Root\\") + name, true)->WriteInteger("v", 1);
    }
    {
        auto key = store.OpenKey("Root\\Alpha", true);
        key->WriteText("b", "1");
        key->WriteText("a", "2");
        key->WriteText("V", "3");  // overwrites "v" in its place
    }
    EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Gamma", "zeta"}),
              store.OpenKey("Root", false)->SubkeyNames());
    EXPECT_EQ((std::vector<std::string>{"v", "b", "a"}), store.OpenKey("Root\\Alpha", false)->ValueNames());
    EXPECT_NE(nullptr, store.OpenKey("Root\\Gamma", false));  // a parent named only by its subkey exists
}

TEST_F(SettingsStoreTest, TextsOfAnyContentReadBackUnchanged) {
    const std::string texts[] = {
        "back\\slash and \"quotes\"",      "two\nlines\r\nand a\ttab", "stray byte \xff and \xc3 cut",
        "non-BMP \xf0\x9f\x93\x81 folder", "ends with ] and [ starts", "",
    };
    {
        auto key = store.OpenKey("T", true);
        for (std::size_t i = 0; i < std::size(texts); ++i)
            key->WriteText("v" + std::to_string(i), texts[i]);
    }
    bool damaged = true;
    store.Read(&damaged);
    EXPECT_FALSE(damaged);
    SettingsStore again(path);
    auto key = again.OpenKey("T", false);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i], key->ReadText("v" + std::to_string(i)));
    }
}

TEST_F(SettingsStoreTest, ReadsAWindowsExportInUtf16AndKeepsValuesItDoesNotUse) {
    // As exported by the registry editor: UTF-16LE with a byte-order mark, CR LF, keys under
    // HKEY_CURRENT_USER, long binary data continued over lines.
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Quenbright\\Tabulo Pro]\r\n"
        "\"FontName\"=\"Lucida Console\"\r\n"
        "\"Levels\"=dword:00000005\r\n"
        "\"Notes\"=hex(1):48,00,e9,00,00,00\r\n"
        "\"Count\"=hex(4):07,00,00,00\r\n"
        "\"Blob\"=hex:01,02,03,\\\r\n"
        "  04,05\r\n"
        "@=\"default\"\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Quenbright\\Vaultix]\r\n"
        "\"Vaultix_Exe\"=\"C:\\\\Program Files\\\\Vaultix\\\\vaultix.exe\"\r\n";
    std::string utf16 = "\xff\xfe";
    for (char c : text) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    tree.Text("settings.reg", utf16);

    auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro", false);
    ASSERT_NE(nullptr, key);
    EXPECT_EQ("Lucida Console", key->ReadText("FontName"));
    EXPECT_EQ(5, key->ReadInteger("Levels"));
    EXPECT_EQ("H\xc3\xa9", key->ReadText("Notes"));
    EXPECT_EQ(7, key->ReadInteger("Count"));
    EXPECT_EQ("default", key->ReadText(""));
    EXPECT_EQ("C:\\Program Files\\Vaultix\\vaultix.exe",
              store.OpenKey("HKEY_CURRENT_USER\\Software\\Quenbright\\Vaultix", false)->ReadText("Vaultix_Exe"));

    key->WriteInteger("Levels", 6);
    ASSERT_TRUE(key->Close());
    bool damaged = true;
    const RegistryTree written = store.Read(&damaged);
    EXPECT_FALSE(damaged);
    const RegistryKey* main = written.Find("Software\\Quenbright\\Tabulo Pro");
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("hex:01,02,03,04,05", main->FindValue("Blob")->raw);
    EXPECT_EQ((std::vector<std::string>{"FontName", "Levels", "Notes", "Count", "Blob", ""}), main->ValueNames());
    EXPECT_EQ(6, main->FindValue("Levels")->integer);
}

TEST_F(SettingsStoreTest, DamagedFileIsReadAsFarAsItParsesAndKeptBesideItBeforeItIsReplaced) {
    const std::string damagedText =
        "Windows Registry Editor Version 5.00\n"
        "[Good]\n"
        "\"A\"=dword:00000001\n"
        "\"B\"=dwo\x01rd:zz\n"
        "\"C\"=\"still here\"\n"
        "[Broken\\\\Key]\n"
        "\"Lost\"=\"under a key line that does not parse\"\n"
        "[Later]\n"
        "\"D\"=\"after the damage\"\n"
        "\"E\"=\"unterminated\n";
    tree.Text("settings.reg", damagedText);

    bool damaged = false;
    const RegistryTree read = store.Read(&damaged);
    EXPECT_TRUE(damaged);
    EXPECT_EQ((std::vector<std::string>{"A", "C"}), read.Find("Good")->ValueNames());
    EXPECT_EQ((std::vector<std::string>{"D"}), read.Find("Later")->ValueNames());

    store.OpenKey("Good", false)->WriteInteger("A", 2);
    EXPECT_EQ(damagedText, test::ReadFile(path + ".damaged"));
    const RegistryTree rewritten = store.Read(&damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(2, rewritten.Find("Good")->FindValue("A")->integer);
    EXPECT_EQ("after the damage", rewritten.Find("Later")->FindValue("D")->text);

    // The file is sound now: later writes make no further copies.
    store.OpenKey("Good", false)->WriteInteger("A", 3);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged.1"));
}

TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsNeverReplaced) {
    tree.Folder("settings.reg");  // not a file
    auto key = store.OpenKey("A", true);
    ASSERT_NE(nullptr, key);
    key->WriteText("v", "x");
    EXPECT_FALSE(key->Close());
    EXPECT_NE(std::string::npos, store.LastError().find("cannot save settings to '" + path + "'"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(SettingsStoreTest, PathsThatCannotNameAKeyOpenNothing) {
    for (const char* bad : {"", "A\\\\B", "A\\", "\\A", "A\\line\nbreak"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(nullptr, store.OpenKey(bad, true));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsStoreTest, WritesThatChangeNothingLeaveTheFileAlone) {
    store.OpenKey("A", true)->WriteText("v", "x");
    const ino_t before = Inode(path);
    store.OpenKey("A", true)->WriteText("V", "x");
    EXPECT_EQ(before, Inode(path));
}

TEST_F(SettingsStoreTest, ANewFileIsPrivateAndAnExistingOneKeepsItsPermissions) {
    auto mode = [&] {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    };
    store.OpenKey("A", true)->WriteText("v", "x");
    EXPECT_EQ(0600u, mode());
    ::chmod(path.c_str(), 0644);
    store.OpenKey("A", true)->WriteText("v", "y");
    EXPECT_EQ(0644u, mode());
}

TEST_F(SettingsStoreTest, AStoreThatIsNotWritableDropsWrites) {
    store.SetWritable(false);
    auto key = store.OpenKey("A", true);
    key->WriteText("v", "x");
    EXPECT_EQ("x", key->ReadText("v"));  // the open key sees its own write
    EXPECT_TRUE(key->Close());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsStoreTest, EachCloseMergesIntoTheFileAsItIsThen) {
    SettingsStore other(path);
    auto mine = store.OpenKey("Mine", true);
    other.OpenKey("Theirs", true)->WriteText("v", "theirs");  // written after `mine` was opened
    mine->WriteText("v", "mine");
    ASSERT_TRUE(mine->Close());
    const RegistryTree file = store.Read();
    EXPECT_EQ("mine", file.Find("Mine")->FindValue("v")->text);
    EXPECT_EQ("theirs", file.Find("Theirs")->FindValue("v")->text);
}

TEST_F(SettingsStoreTest, ALinkedSettingsFileIsUpdatedThroughTheLink) {
    tree.Folder("dotfiles");
    tree.Text("dotfiles/tabulo.reg", "[A]\n\"v\"=\"old\"\n");
    tree.Symlink("dotfiles/tabulo.reg", "settings.reg");
    store.OpenKey("A", false)->WriteText("v", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ("new", SettingsStore(tree.Path("dotfiles/tabulo.reg")).OpenKey("A", false)->ReadText("v"));
}

TEST_F(SettingsStoreTest, TemporaryFilesLeftByAKilledWriterAreRemoved) {
    tree.Text(".settings.reg.tmp-AbC123", "half a file");
    tree.Text(".settings.reg.tmp-keep-me", "not one of ours");
    store.OpenKey("A", true)->WriteText("v", "x");
    EXPECT_FALSE(std::filesystem::exists(tree.Path(".settings.reg.tmp-AbC123")));
    EXPECT_TRUE(std::filesystem::exists(tree.Path(".settings.reg.tmp-keep-me")));
}

TEST_F(SettingsStoreTest, MissingFoldersAreMadeForTheFile) {
    SettingsStore nested(tree.Path("config/tabulo/settings.reg"));
    nested.OpenKey("A", true)->WriteText("v", "x");
    EXPECT_EQ("x", SettingsStore(tree.Path("config/tabulo/settings.reg")).OpenKey("A", false)->ReadText("v"));
}

// Random text made of the characters that matter to the syntax, plus stray bytes.
std::string RandomText(std::mt19937& random, int maxLength) {
    const std::string pieces[] = {"[",
                                  "]",
                                  "\\",
                                  "\"",
                                  "=",
                                  "@",
                                  ",",
                                  " ",
                                  ";",
                                  "-",
                                  "a",
                                  "Z",
                                  "\xff",
                                  "\xc3\xa9",
                                  "\xf0\x9f\x93\x81",
                                  std::string(1, '\0'),
                                  "\t",
                                  "\r",
                                  "\n",
                                  "dword:",
                                  "hex:"};
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, maxLength)(random);
    for (int i = 0; i < count; ++i)
        text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    return text;
}

std::string RandomHex(std::mt19937& random) {
    std::string data;
    const int count = std::uniform_int_distribution<int>(0, 12)(random);
    for (int i = 0; i < count; ++i) {
        char byte[16];
        std::snprintf(byte, sizeof byte, "%s%02x", i == 0 ? "" : (i % 5 == 0 ? ",\\\r\n  " : ","),
                      std::uniform_int_distribution<int>(0, 255)(random));
        data += byte;
    }
    return data;
}

// A settings file as it may come: sections, values of every kind, and broken lines among them.
std::string RandomFile(std::mt19937& random) {
    std::string file = random() % 2 ? "Windows Registry Editor Version 5.00\r\n" : "";
    const int lines = std::uniform_int_distribution<int>(0, 30)(random);
    for (int i = 0; i < lines; ++i) {
        switch (random() % 8) {
            case 0:
                file += "[" + std::string(random() % 2 ? "HKEY_CURRENT_USER\\" : "") + "Software\\" +
                        RandomText(random, 4) + "]";
                break;
            case 1:
                file += "\"" + RandomText(random, 5) + "\"=\"" + RandomText(random, 8) + "\"";
                break;
            case 2:
                file += "\"" + RandomText(random, 3) + "\"=dword:" + RandomHex(random).substr(0, 8);
                break;
            case 3:
                file += "@=hex(1):" + RandomHex(random);
                break;
            case 4:
                file += "\"v\"=hex(" + std::to_string(random() % 12) + "):" + RandomHex(random);
                break;
            case 5:
                file += "\"v\"=hex:" + RandomHex(random);
                break;
            default:
                file += RandomText(random, 12);
                break;
        }
        file += random() % 2 ? "\n" : "\r\n";
    }
    if (random() % 4 == 0) {
        std::string utf16 = "\xff\xfe";
        for (char c : file)
            utf16 += std::string{c, '\0'};
        return utf16;
    }
    return file;
}

TEST(RegistryTree, AnyInputParsesWithoutHarmAndWhatItWritesReadsBackTheSame) {
    std::mt19937 random(7);
    int withValues = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string input = RandomFile(random);
        bool damaged = false;
        const std::string written = RegistryTree::Parse(input, damaged).Serialize();
        bool damagedAgain = true;
        const std::string rewritten = RegistryTree::Parse(written, damagedAgain).Serialize();
        ASSERT_FALSE(damagedAgain) << ::testing::PrintToString(input);
        ASSERT_EQ(written, rewritten) << ::testing::PrintToString(input);
        if (written.find("\"=") != std::string::npos) ++withValues;
    }
    EXPECT_GT(withValues, 500);  // the inputs do exercise values, not only broken lines
}

TEST(SettingsStorePath, ComesFromTheEnvironment) {
    struct Row {
        const char* name;
        const char* tabuloSettings;
        const char* xdgConfigHome;
        const char* home;
        std::string expected;
    };
    const Row rows[] = {
        {"explicit file", "/tmp/mine.reg", "/xdg", "/home/u", "/tmp/mine.reg"},
        {"XDG config folder", nullptr, "/xdg", "/home/u", "/xdg/tabulo/settings.reg"},
        {"relative XDG folder is ignored", "", "xdg", "/home/u", "/home/u/.config/tabulo/settings.reg"},
        {"home", nullptr, nullptr, "/home/u", "/home/u/.config/tabulo/settings.reg"},
    };
    auto keep = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto saved = std::array{keep("TABULO_SETTINGS"), keep("XDG_CONFIG_HOME"), keep("HOME")};
    auto set = [](const char* name, const char* value) {
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        set("TABULO_SETTINGS", row.tabuloSettings);
        set("XDG_CONFIG_HOME", row.xdgConfigHome);
        set("HOME", row.home);
        EXPECT_EQ(row.expected, SettingsStore::DefaultPath());
    }
    set("TABULO_SETTINGS", saved[0] ? saved[0]->c_str() : nullptr);
    set("XDG_CONFIG_HOME", saved[1] ? saved[1]->c_str() : nullptr);
    set("HOME", saved[2] ? saved[2]->c_str() : nullptr);
}

// --- several processes ---

constexpr int kGroupSize = 40;

// Writes one group whose every value is `writer`, as one key's writes.
void WriteGroup(SettingsStore& store, int writer) {
    auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Options", true);
    for (int i = 0; i < kGroupSize; ++i)
        key->WriteInteger("Value" + std::to_string(i), writer);
    key->WriteText("Writer", std::string(200 + writer * 50, static_cast<char>('a' + writer)));
}

// The writer whose group the file holds, or -1 when the group is not one writer's whole group.
int WholeGroupWriter(const RegistryTree& file) {
    const RegistryKey* key = file.Find("Software\\Quenbright\\Tabulo Pro\\Options");
    if (!key || key->values.size() != kGroupSize + 1) return -1;
    const int writer = key->values[0].integer;
    for (int i = 0; i < kGroupSize; ++i) {
        if (key->values[static_cast<std::size_t>(i)].integer != writer) return -1;
    }
    if (key->values.back().text != std::string(200 + writer * 50, static_cast<char>('a' + writer))) return -1;
    return writer;
}

// Writes what the file held before the test: keys that no writer touches and that must survive.
void WritePreviousSettings(SettingsStore& store) {
    for (int k = 0; k < 20; ++k) {
        auto key = store.OpenKey("Software\\Quenbright\\Tabulo Pro\\Settings\\Profile" + std::to_string(k), true);
        for (int i = 0; i < 10; ++i)
            key->WriteText("Value" + std::to_string(i), "kept " + std::to_string(k * 10 + i));
    }
}

bool PreviousSettingsKept(const RegistryTree& file) {
    for (int k = 0; k < 20; ++k) {
        const RegistryKey* key = file.Find("Software\\Quenbright\\Tabulo Pro\\Settings\\Profile" + std::to_string(k));
        if (!key || key->values.size() != 10) return false;
        for (int i = 0; i < 10; ++i) {
            if (key->values[static_cast<std::size_t>(i)].text != "kept " + std::to_string(k * 10 + i)) return false;
        }
    }
    return true;
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceNeverTearTheFile) {
    WritePreviousSettings(store);
    WriteGroup(store, 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            SettingsStore own(path);
            for (int round = 0; round < 60; ++round) {
                WriteGroup(own, w + 1);
                // Each writer also keeps a key of its own, so lost updates would show.
                own.OpenKey("Software\\Quenbright\\Tabulo Pro\\Writer" + std::to_string(w), true)
                    ->WriteInteger("Rounds", round + 1);
            }
            ::_exit(own.LastError().empty() ? 0 : 1);
        }
    }
    int reads = 0, torn = 0;
    int statuses[2] = {-1, -1};
    while (statuses[0] == -1 || statuses[1] == -1) {
        for (int w = 0; w < 2; ++w) {
            int status = 0;
            if (statuses[w] == -1 && ::waitpid(writers[w], &status, WNOHANG) == writers[w]) statuses[w] = status;
        }
        bool damaged = false;
        const RegistryTree file = store.Read(&damaged);
        ++reads;
        if (damaged || WholeGroupWriter(file) < 0 || !PreviousSettingsKept(file)) ++torn;
    }
    for (int status : statuses)
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(0, torn) << "of " << reads << " reads";
    bool damaged = true;
    const RegistryTree file = store.Read(&damaged);
    EXPECT_FALSE(damaged);
    EXPECT_GT(WholeGroupWriter(file), 0);
    EXPECT_TRUE(PreviousSettingsKept(file));
    for (int w = 0; w < 2; ++w) {
        EXPECT_EQ(
            60,
            file.Find("Software\\Quenbright\\Tabulo Pro\\Writer" + std::to_string(w))->FindValue("Rounds")->integer);
    }
}

TEST_F(SettingsStoreTest, KillingAWriterAtAnyMomentLosesNothingTheFileHeld) {
    WritePreviousSettings(store);
    WriteGroup(store, 0);
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            SettingsStore own(path);
            for (int w = 1;; w = w % 3 + 1)
                WriteGroup(own, w);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        bool damaged = false;
        const RegistryTree file = store.Read(&damaged);
        ASSERT_FALSE(damaged) << "round " << round;
        ASSERT_GE(WholeGroupWriter(file), 0) << "round " << round;
        ASSERT_TRUE(PreviousSettingsKept(file)) << "round " << round;
    }
}

}  // namespace
}  // namespace tabulo
