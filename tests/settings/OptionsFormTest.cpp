#include "settings/OptionsForm.h"

#include <gtest/gtest.h>

#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using B = OptionBox;

std::vector<std::string> Checked(const TOptionsForm& f) {
    std::vector<std::string> names;
    for (const OptionBoxInfo& info : OptionBoxes()) {
        if (f.Checked(info.box)) names.emplace_back(info.storedAs);
    }
    return names;
}

std::vector<std::string> Disabled(const TOptionsForm& f) {
    std::vector<std::string> names;
    for (const OptionBoxInfo& info : OptionBoxes()) {
        if (!f.Enabled(info.box)) names.emplace_back(info.storedAs);
    }
    return names;
}

TEST(OptionsForm, StartsWithTheDefaults) {
    const TOptionsForm f;
    EXPECT_EQ((std::vector<std::string>{"FolderSummary", "FolderHeader", "ResetCounter", "FullPath"}), Checked(f));
    EXPECT_EQ(std::vector<std::string>{"IgnoreMaxColumnSize"}, Disabled(f));
    EXPECT_TRUE(f.MainWindowControlsEnabled());
}

TEST(OptionsForm, ClicksRunTheDependencyReactions) {
    struct Row {
        const char* name;
        std::vector<B> clicks;
        std::vector<std::string> checked;
        std::vector<std::string> disabled;
        bool mainControls;
    };
    const std::vector<std::string> defaults = {"FolderSummary", "FolderHeader", "ResetCounter", "FullPath"};
    const Row rows[] = {
        {"folders only disables the folder and file boxes",
         {B::FoldersOnly},
         {"FoldersOnly", "FolderSummary", "FolderHeader", "ResetCounter", "FullPath"},
         {"KB", "IgnoreEmpty", "ShortFNames", "FolderSummary", "FolderHeader", "ResetCounter", "IgnoreMaxColumnSize"},
         false},
        {"unchecking folders only brings them back but max column size",
         {B::FoldersOnly, B::FoldersOnly},
         defaults,
         {"IgnoreMaxColumnSize"},
         true},
        {"max column size comes back with tree view",
         {B::TreeViewMode, B::FoldersOnly, B::FoldersOnly},
         {"FolderSummary", "FolderHeader", "ResetCounter", "FullPath", "TreeViewMode"},
         {},
         true},
        {"clicking full path re-applies the rule",
         {B::FoldersOnly, B::FullPath},
         {"FoldersOnly", "FolderSummary", "FolderHeader", "ResetCounter"},
         {"KB", "IgnoreEmpty", "ShortFNames", "FolderSummary", "FolderHeader", "ResetCounter", "IgnoreMaxColumnSize"},
         false},
        {"a disabled box ignores clicks",
         {B::FoldersOnly, B::KB},
         {"FoldersOnly", "FolderSummary", "FolderHeader", "ResetCounter", "FullPath"},
         {"KB", "IgnoreEmpty", "ShortFNames", "FolderSummary", "FolderHeader", "ResetCounter", "IgnoreMaxColumnSize"},
         false},
        {"one of header and summary left keeps the counter",
         {B::FolderHeader},
         {"FolderSummary", "ResetCounter", "FullPath"},
         {"IgnoreMaxColumnSize"},
         true},
        {"the second of them clears the counter, which stays enabled",
         {B::FolderHeader, B::FolderSummary},
         {"FullPath"},
         {"IgnoreMaxColumnSize"},
         true},
        {"upper case unchecks lower case",
         {B::LowerCase, B::UpperCase},
         {"UpperCase", "FolderSummary", "FolderHeader", "ResetCounter", "FullPath"},
         {"IgnoreMaxColumnSize"},
         true},
        {"unchecking one case leaves the other",
         {B::LowerCase, B::UpperCase, B::UpperCase},
         defaults,
         {"IgnoreMaxColumnSize"},
         true},
        {"tree view enables max column size",
         {B::TreeViewMode},
         {"FolderSummary", "FolderHeader", "ResetCounter", "FullPath", "TreeViewMode"},
         {},
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TOptionsForm f;
        bool mainControls = true;
        f.onMainWindowControlsEnabled = [&](bool enabled) { mainControls = enabled; };
        for (B box : row.clicks)
            f.Click(box);
        EXPECT_EQ(row.checked, Checked(f));
        EXPECT_EQ(row.disabled, Disabled(f));
        EXPECT_EQ(row.mainControls, mainControls);
        EXPECT_EQ(row.mainControls, f.MainWindowControlsEnabled());
    }
}

class OptionsStoreTest : public ::testing::Test {
  protected:
    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
};

TEST_F(OptionsStoreTest, ALoadRunsTheReactionsOfTheBoxesItChanges) {
    TOptionsForm().SaveOptions(store, {});
    {
        auto key = store.OpenKey(GroupKey({}, "Options"), true);
        key->WriteBool("FoldersOnly", true);
        key->WriteBool("LowerCase", true);
        key->WriteBool("UpperCase", true);  // read last: wins over lower case
    }
    TOptionsForm f;
    bool mainControls = true;
    f.onMainWindowControlsEnabled = [&](bool enabled) { mainControls = enabled; };
    f.LoadOptions(store, {});
    EXPECT_FALSE(mainControls);
    EXPECT_FALSE(f.Enabled(B::KB));
    EXPECT_TRUE(f.Checked(B::UpperCase));
    EXPECT_FALSE(f.Checked(B::LowerCase));
}

TEST_F(OptionsStoreTest, OkStoresInTheMainKeyAndCancelRestoresItEvenAfterAProfileWasLoaded) {
    TOptionsForm f;
    f.Click(B::KB);
    f.btnOkClick(store);
    {
        auto key = store.OpenKey(GroupKey("photos", "Options"), true);
        key->WriteBool("KB", false);
        key->WriteBool("IgnoreEmpty", true);
    }
    f.LoadOptions(store, "photos");
    EXPECT_FALSE(f.Checked(B::KB));
    EXPECT_TRUE(f.Checked(B::IgnoreEmpty));

    f.Click(B::TotalSummary);
    f.btnCancelClick(store);
    EXPECT_TRUE(f.Checked(B::KB));
    EXPECT_FALSE(f.Checked(B::IgnoreEmpty));
    EXPECT_FALSE(f.Checked(B::TotalSummary));
    EXPECT_EQ(false, store.OpenKey(GroupKey({}, "Options"), false)->ReadBool("IgnoreEmpty"));
}

TEST(OptionsForm, ApplyOptionsFillsBothRecords) {
    TOptionsForm f;
    for (B box : {B::KB, B::LowerCase, B::FolderHeader, B::TreeViewMode, B::IgnoreMaxColumnSize, B::ZipContent}) {
        f.Click(box);
    }
    ListSettings settings;
    settings.ListOptions.ArchiveMembers = true;
    bool button = false;
    ApplyOptions(f, settings, button);

    OptionFlags list;
    list.KB = list.LowerCase = list.TreeViewMode = list.IgnoreMaxColumnSize = list.ZipContent = true;
    list.FolderHeader = false;
    OptionFlags archive = list;
    archive.FolderSummary = archive.ResetCounter = false;
    archive.ArchiveMembers = true;
    EXPECT_EQ(list, settings.ListOptions);
    EXPECT_EQ(archive, settings.ArchiveOptions);
    EXPECT_TRUE(button);
}

TEST(OptionsForm, TheTreeViewButtonSetsTheBoxAndBothRecords) {
    TOptionsForm f;
    ListSettings settings;
    TreeViewButtonClick(f, settings, true);
    EXPECT_TRUE(f.Checked(B::TreeViewMode));
    EXPECT_TRUE(f.Enabled(B::IgnoreMaxColumnSize));
    EXPECT_TRUE(settings.ListOptions.TreeViewMode);
    EXPECT_TRUE(settings.ArchiveOptions.TreeViewMode);
}

TEST(OptionsForm, OpeningTakesTheCounterFromTheRunSettings) {
    TOptionsForm f;
    ListSettings settings;
    settings.ListOptions.ResetCounter = false;  // as the Advanced window may leave it
    f.Show(settings);
    EXPECT_FALSE(f.Checked(B::ResetCounter));
}

TEST(OptionsForm, SetBoxesFromARecordKeepsItsCounter) {
    OptionFlags flags;
    flags.FolderHeader = flags.FolderSummary = false;
    flags.ResetCounter = true;
    flags.DosLikeListing = true;
    TOptionsForm f;
    f.SetBoxesFrom(flags);
    EXPECT_EQ((std::vector<std::string>{"ResetCounter", "FullPath", "DosLikeListing"}), Checked(f));
}

}  // namespace
}  // namespace tabulo
