#include <gtest/gtest.h>

#include <functional>

#include "settings/AdvancedSettings.h"
#include "settings/OptionsForm.h"
#include "settings/PageSetup.h"
#include "settings/ReadOrderCheck.h"
#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using test::ExpectReadOrder;
using test::TempTree;

class SettingGroupsTest : public ::testing::Test {
  protected:
    TempTree tree;
    std::string path = tree.Path("settings.reg");
    SettingsStore store{path};

    void Put(const std::string& key, const std::string& name, std::int32_t value) {
        store.OpenKey(key, true)->WriteInteger(name, value);
    }
    void PutText(const std::string& key, const std::string& name, const std::string& value) {
        store.OpenKey(key, true)->WriteText(name, value);
    }
};

TEST_F(SettingGroupsTest, OptionsAreReadInTheirOrderUpToTheFirstGap) {
    ExpectReadOrder(path, OptionsSettings(),
                    {"KB", "IgnoreEmpty", "ShortFNames", "FoldersOnly", "LowerCase", "VolumeLabel", "FolderSummary",
                     "FolderHeader", "ResetCounter", "TotalSummary", "FullPath", "DosLikeListing", "ZipContent",
                     "TreeViewMode", "IgnoreMaxColumnSize", "UpperCase"},
                    true);
}

TEST_F(SettingGroupsTest, AdvancedValuesAreReadInTheirOrderUpToTheFirstGap) {
    ExpectReadOrder(path, AdvancedSettingsTable(),
                    {"cbHidden",       "cbDate",    "cbTime",        "cbSize",       "cbAttr",
                     "cbNameExt",      "cbName",    "cbExt",         "cbPath",       "cbNum",
                     "cbAutocomments", "NumDigits", "currentFormat", "Separator",    "rbSDV",
                     "rbNormal",       "rbHTML",    "Qualifier",     "cbZip",        "cbHTML",
                     "cbMPEG",         "cbImage",   "cbEXE",         "cbDescript",   "MaxLengthComment",
                     "cbURL",          "cbLNK",     "ActivePattern", "AdvancedMode", "MaxCaptionLength",
                     "LongCaption"},
                    true);
}

TEST_F(SettingGroupsTest, PageSetupIsReadInItsOrderUpToTheFirstGap) {
    ExpectReadOrder(path, PageSetupSettings(),
                    {"HeaderText", "FooterText", "FontName", "FontSize", "FontColor", "TopMargin", "LeftMargin",
                     "RightMargin", "BottomMargin"},
                    true);
}

TEST_F(SettingGroupsTest, GroupsWriteEveryValueInTableOrderAndDeleteNothing) {
    struct Row {
        const char* group;
        std::function<void(SettingsStore&)> save;
        std::vector<std::string> writeOrder;
    };
    const Row rows[] = {
        {"Options",
         [](SettingsStore& s) { TOptionsForm().SaveOptions(s, "p"); },
         {"KB", "IgnoreEmpty", "ShortFNames", "FoldersOnly", "LowerCase", "UpperCase", "VolumeLabel", "FolderSummary",
          "FolderHeader", "ResetCounter", "TotalSummary", "IgnoreMaxColumnSize", "FullPath", "DosLikeListing",
          "ZipContent", "TreeViewMode"}},
        {"Advanced",
         [](SettingsStore& s) { SaveAdvancedSettings(s, "p", AdvancedSettings()); },
         {"ActivePattern",  "AdvancedMode",    "cbHidden",      "cbDate",   "cbTime", "cbSize",
          "cbAttr",         "cbNameExt",       "cbName",        "cbExt",    "cbPath", "cbNum",
          "cbAutocomments", "NumDigits",       "currentFormat", "rbNormal", "rbHTML", "rbSDV",
          "rbTable",        "Separator",       "Qualifier",     "cbZip",    "cbHTML", "cbMPEG",
          "cbImage",        "cbEXE",           "cbDescript",    "cbURL",    "cbLNK",  "MaxLengthComment",
          "LongCaption",    "MaxCaptionLength"}},
        {"PageSetup",
         [](SettingsStore& s) { PageSetupFields().SavePageSetup(s, "p"); },
         {"HeaderText", "FooterText", "FontName", "FontSize", "FontColor", "TopMargin", "LeftMargin", "RightMargin",
          "BottomMargin"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.group);
        const std::string key = GroupKey("p", row.group);
        PutText(key, "Extra", "put there by hand");
        row.save(store);
        std::vector<std::string> expected = {"Extra"};
        expected.insert(expected.end(), row.writeOrder.begin(), row.writeOrder.end());
        EXPECT_EQ(expected, store.OpenKey(key, false)->ValueNames());
    }
}

TEST_F(SettingGroupsTest, DefaultsAreWhatAGroupWritesBeforeAnythingWasRead) {
    SaveAdvancedSettings(store, {}, AdvancedSettings());
    PageSetupFields().SavePageSetup(store, {});
    auto advanced = store.OpenKey(GroupKey({}, "Advanced"), false);
    EXPECT_EQ("\"", advanced->ReadText("Qualifier"));
    EXPECT_EQ(-1, advanced->ReadInteger("Separator"));
    EXPECT_EQ(1, advanced->ReadInteger("rbNormal"));
    EXPECT_EQ(2, advanced->ReadInteger("LongCaption"));
    auto page = store.OpenKey(GroupKey({}, "PageSetup"), false);
    EXPECT_EQ("-- Page %p of %t -- %d", page->ReadText("HeaderText"));
    EXPECT_EQ("Page by Tabulo Pro", page->ReadText("FooterText"));
    EXPECT_EQ("Tahoma", page->ReadText("FontName"));
    EXPECT_EQ(9, page->ReadInteger("FontSize"));
}

TEST_F(SettingGroupsTest, TheLastFormatButtonReadAsSetWinsAndTableIsAlwaysCleared) {
    struct Row {
        const char* name;
        int sdv, normal, html;
        bool expectSdv, expectNormal, expectHtml;
    };
    const Row rows[] = {
        {"all set: HTML is read last", 1, 1, 1, false, false, true},
        {"delimited and normal", 1, 1, 0, false, true, false},
        {"delimited only", 1, 0, 0, true, false, false},
        {"none set", 0, 0, 0, false, false, false},
    };
    const std::string key = GroupKey({}, "Advanced");
    SaveAdvancedSettings(store, {}, AdvancedSettings());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Put(key, "rbSDV", row.sdv);
        Put(key, "rbNormal", row.normal);
        Put(key, "rbHTML", row.html);
        Put(key, "rbTable", 1);
        AdvancedSettings a;
        a.SetFormat(&AdvancedSettings::rbTable, true);
        LoadAdvancedSettings(store, {}, a);
        EXPECT_EQ((std::array{row.expectSdv, row.expectNormal, row.expectHtml, false}),
                  (std::array{a.rbSDV, a.rbNormal, a.rbHTML, a.rbTable}));
    }
    // A reading that stops at its first value still leaves the Table button unchecked.
    store.OpenKey(key, false)->DeleteValue("cbHidden");
    AdvancedSettings a;
    a.SetFormat(&AdvancedSettings::rbTable, true);
    LoadAdvancedSettings(store, {}, a);
    EXPECT_FALSE(a.rbTable);
}

TEST_F(SettingGroupsTest, SpinValuesAreClampedAndItemIndexesOutsideTheirListSelectNothing) {
    const std::string advanced = GroupKey({}, "Advanced");
    SaveAdvancedSettings(store, {}, AdvancedSettings());
    Put(advanced, "NumDigits", 40);
    Put(advanced, "Separator", 4);
    Put(advanced, "MaxLengthComment", 3);
    Put(advanced, "LongCaption", -7);
    AdvancedSettings a;
    LoadAdvancedSettings(store, {}, a);
    EXPECT_EQ((std::array{9, -1, 8, -1}), (std::array{a.NumDigits, a.Separator, a.MaxLengthComment, a.LongCaption}));

    const std::string page = GroupKey({}, "PageSetup");
    PageSetupFields().SavePageSetup(store, {});
    Put(page, "FontSize", 11);
    Put(page, "TopMargin", -15);  // margins have no bounds
    PageSetupFields p;
    p.LoadPageSetup(store, {});
    EXPECT_EQ(11, p.fontSize);  // points, unlike the main group's "FontSize"
    EXPECT_EQ(-15, p.topMargin);
    Put(page, "FontSize", 72);
    p.LoadPageSetup(store, {});
    EXPECT_EQ(20, p.fontSize);
}

TEST_F(SettingGroupsTest, PageSetupOkStoresInTheMainKeyAndCancelRestoresFromIt) {
    PageSetupFields page;
    page.headerText = "%d";
    page.btnOkClick(store);
    page.headerText = "edited";
    page.leftMargin = 5;
    page.btnCancelClick(store);
    PageSetupFields stored;
    stored.headerText = "%d";
    EXPECT_EQ(stored, page);
}

}  // namespace
}  // namespace tabulo
