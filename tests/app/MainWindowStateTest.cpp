#include "app/MainWindowState.h"

#include <gtest/gtest.h>

#include "settings/ReadOrderCheck.h"
#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Strings = std::vector<std::string>;

const std::vector<std::string_view> kReadRegOrder = {
    "SortCriteria", "Ascending",   "Descending",  "CurrentFolder",   "IncludeFolders", "RecurseAll",  "IncludeDate",
    "IncludeTime",  "IncludeSize", "IncludeAttr", "IncludeAllFiles", "LeftMargin",     "Levels",      "MaxLength",
    "Exclusions",   "Width",       "Height",      "Maximized",       "PrevCatFolder",  "AdvancedMode"};

class MainWindowStateTest : public ::testing::Test {
  protected:
    test::TempTree tree;
    std::string path = tree.Path("settings.reg");
    SettingsStore store{path};
};

TEST_F(MainWindowStateTest, ReadRegReadsItsOrderUpToTheFirstGap) {
    test::ExpectReadOrder(path, MainSettings(), kReadRegOrder, true, 0);
}

TEST_F(MainWindowStateTest, AProfileKeyGivesNoCurrentFolder) {
    std::vector<std::string_view> order = kReadRegOrder;
    std::erase(order, "CurrentFolder");
    test::ExpectReadOrder(path, MainSettings(), order, false, 0);
}

TEST_F(MainWindowStateTest, ReadRegFontReadsTheFourFontValues) {
    test::ExpectReadOrder(path, MainSettings(), {"FontName", "FontSize", "FontColor", "UseDefaultFont"}, true, 1);
}

TEST_F(MainWindowStateTest, SaveRegWritesTheGroupInOrderAndTheProgramOnlyIntoProfiles) {
    const Strings group = {"AdvancedMode",   "AdvancedString", "SortCriteria",    "Ascending",   "Descending",
                           "CurrentFolder",  "IncludeFolders", "RecurseAll",      "IncludeDate", "IncludeTime",
                           "IncludeSize",    "IncludeAttr",    "IncludeAllFiles", "LeftMargin",  "Levels",
                           "MaxLength",      "Exclusions",     "FontName",        "FontSize",    "FontColor",
                           "UseDefaultFont", "Width",          "Height",          "Maximized",   "PrevCatFolder"};
    MainWindowState main;
    main.programPath = "/usr/bin/tabulo";
    main.SaveReg(store, {});
    main.SaveReg(store, "p");
    EXPECT_EQ(group, store.OpenKey(kMainKey, false)->ValueNames());
    Strings profile = {"TabuloPro_Exe"};
    profile.insert(profile.end(), group.begin(), group.end());
    EXPECT_EQ(profile, store.OpenKey(SettingsKey("p"), false)->ValueNames());
    EXPECT_EQ((Strings{"ExcludeExtensions", "ExcludeFilenames", "ExcludeFolders"}),
              store.OpenKey(SettingsKey("p"), false)->SubkeyNames());
}

TEST_F(MainWindowStateTest, ReadRegRecordsTheProgramEvenWhenNothingIsRead) {
    store.OpenKey(kMainKey, true)->WriteInteger("Ascending", 0);  // "SortCriteria" absent: nothing is read
    MainWindowState main;
    main.programPath = "/opt/tabulo/bin/tabulo";
    main.ReadReg(store, {});
    EXPECT_TRUE(main.rbAscending);
    EXPECT_EQ("/opt/tabulo/bin/tabulo", store.OpenKey(kMainKey, false)->ReadText("TabuloPro_Exe"));

    main.ReadReg(store, "absent profile");
    EXPECT_EQ(nullptr, store.OpenKey(SettingsKey("absent profile"), false));
}

TEST_F(MainWindowStateTest, ControlsTakeStoredValuesAsTheyWould) {
    struct Row {
        const char* name;
        std::string value;  // integer values only
        std::function<std::string(const MainWindowState&)> observe;
        std::string expected;
    };
    auto sortIndex = [](const MainWindowState& m) { return std::to_string(m.SortIndex()); };
    auto font = [](const MainWindowState& m) {
        return std::to_string(m.fontSizeIndex) + "/" + std::to_string(m.settings.FontSize);
    };
    const Row rows[] = {
        {"FontSize", "3", font, "3/11"},   // an item index, not a point size
        {"FontSize", "12", font, "-1/9"},  // no such item: no selection, size as it was
        {"SortCriteria", "3", sortIndex, "3"},
        {"SortCriteria", "9", sortIndex, "-1"},
        {"Levels", "5000", [](const MainWindowState& m) { return std::to_string(m.settings.Levels); }, "1000"},
        {"MaxLength", "1", [](const MainWindowState& m) { return std::to_string(m.settings.MaxLength); }, "8"},
        {"Width", "100", [](const MainWindowState& m) { return std::to_string(m.width); }, "600"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.value);
        MainWindowState defaults;
        defaults.SaveReg(store, {});
        store.OpenKey(kMainKey, false)->WriteInteger(row.name, std::stoi(row.value));
        MainWindowState main;
        main.ReadReg(store, {});
        main.ReadRegFont(store, {});
        EXPECT_EQ(row.expected, row.observe(main));
    }
}

TEST_F(MainWindowStateTest, SortDirectionButtonsBehaveAsRadioButtons) {
    struct Row {
        int ascending, descending;
        bool rbAscending, rbDescending;
    };
    const Row rows[] = {{1, 1, false, true}, {0, 0, false, false}, {1, 0, true, false}, {0, 1, false, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.ascending) + std::to_string(row.descending));
        MainWindowState().SaveReg(store, {});
        {
            auto key = store.OpenKey(kMainKey, false);
            key->WriteInteger("Ascending", row.ascending);
            key->WriteInteger("Descending", row.descending);
        }
        MainWindowState main;
        main.ReadReg(store, {});
        EXPECT_EQ(row.rbAscending, main.rbAscending);
        EXPECT_EQ(row.rbDescending, main.settings.Descending);
    }
}

}  // namespace
}  // namespace tabulo
