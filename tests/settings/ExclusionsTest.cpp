#include <gtest/gtest.h>

#include "settings/ExcludeForm.h"
#include "settings/ExclusionLists.h"
#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Tab = TExcludeForm::Tab;
using Strings = std::vector<std::string>;

TEST(ExcludeForm, AddingAnExtension) {
    struct Row {
        const char* name;
        Strings listed;
        std::string typed;
        Strings expected;
    };
    const Row rows[] = {
        {"a dot is put in front", {}, "txt", {".txt"}},
        {"a typed dot is kept", {}, ".Bak", {".Bak"}},
        {"equal but for case is not added", {".txt"}, ".TXT", {".txt"}},
        {"pasted wildcards are not filtered", {}, "*.tmp", {".*.tmp"}},
        {"an empty box adds nothing", {".a"}, "", {".a"}},
        {"entries stay sorted ignoring case", {".b", ".D"}, "c", {".b", ".c", ".D"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TExcludeForm form;
        ListSettings settings;
        settings.ExcludedExtensions = row.listed;
        form.Show(settings);
        form.ebExtension = row.typed;
        form.btnExtensionClick();
        EXPECT_EQ(row.expected, form.lbExtension.Items());
        EXPECT_EQ("", form.ebExtension);
    }
}

TEST(ExcludeForm, FileNamesAndFoldersAreAddedOnceIgnoringCase) {
    TExcludeForm form;
    form.ebFilename = "Thumbs.db";
    form.btnFilenameClick();
    form.ebFilename = "thumbs.DB";
    form.btnFilenameClick();
    form.AddFolder("/srv/Data");
    form.AddFolder("/srv/data");
    form.AddFolder("");  // a folder without a file-system path
    EXPECT_EQ(Strings{"Thumbs.db"}, form.lbFilename.Items());
    EXPECT_EQ((Strings{"", "/srv/Data"}), form.lbFolder.Items());
}

TEST(ExcludeForm, WildcardKeysAreRefusedWithABeep) {
    TExcludeForm form;
    int beeps = 0;
    form.beep = [&] { ++beeps; };
    EXPECT_FALSE(form.KeyPress(Tab::Extensions, U'*'));
    EXPECT_FALSE(form.KeyPress(Tab::Filenames, U'?'));
    EXPECT_TRUE(form.KeyPress(Tab::Filenames, U'a'));
    EXPECT_EQ(2, beeps);
    EXPECT_FALSE(form.AddEnabled(Tab::Extensions));
    form.ebExtension = "t";
    EXPECT_TRUE(form.AddEnabled(Tab::Extensions));
}

TEST(ExcludeForm, RemovingEntries) {
    struct Row {
        const char* name;
        std::vector<int> selected;
        int focused;
        bool doubleClick;
        Strings expected;
        int expectedFocus;
    };
    const Row rows[] = {
        {"remove takes every selected entry", {0, 2, 3}, -1, false, {".b"}, -1},
        {"double-click in the middle: focus stays at the position", {}, 1, true, {".a", ".c", ".d"}, 1},
        {"double-click on the last: focus on the new last", {}, 3, true, {".a", ".b", ".c"}, 2},
        {"double-click with no focus removes nothing", {}, -1, true, {".a", ".b", ".c", ".d"}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TExcludeForm form;
        ListSettings settings;
        settings.ExcludedExtensions = {".d", ".a", ".c", ".b"};
        form.Show(settings);
        for (int i : row.selected)
            form.lbExtension.SetSelected(i, true);
        form.lbExtension.SetItemIndex(row.focused);
        if (row.doubleClick) {
            form.ListDoubleClick(Tab::Extensions);
        } else {
            form.btnRemoveClick(Tab::Extensions);
        }
        EXPECT_EQ(row.expected, form.lbExtension.Items());
        EXPECT_EQ(row.expectedFocus, form.lbExtension.ItemIndex());
    }
}

TEST(ExcludeForm, OkTakesTheListsOverAndCancelLeavesThemAsTheyWere) {
    ListSettings settings;
    settings.ExcludedExtensions = {".tmp"};
    TExcludeForm form;

    form.Show(settings);
    form.ebExtension = "bak";
    form.btnExtensionClick();
    form.cbExcludeAllSubfolders = false;
    form.ebFilename = "typed, not added";
    form.btnCancelClick();
    EXPECT_EQ(Strings{".tmp"}, settings.ExcludedExtensions);
    EXPECT_TRUE(form.cbExcludeAllSubfolders);
    EXPECT_EQ("", form.ebFilename);
    form.Show(settings);
    EXPECT_EQ(Strings{".tmp"}, form.lbExtension.Items());

    form.ebExtension = "bak";
    form.btnExtensionClick();
    form.AddFolder("/srv/old");
    form.cbExcludeAllSubfolders = false;
    form.btnOkClick(settings);
    EXPECT_EQ((Strings{".bak", ".tmp"}), settings.ExcludedExtensions);
    EXPECT_EQ(Strings{"/srv/old"}, settings.ExcludedFolders);
    EXPECT_FALSE(settings.ExcludeAllSubfolders);
}

class ExclusionStoreTest : public ::testing::Test {
  protected:
    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
    std::string key = GroupKey({}, kExcludeFolders.subkey);
};

TEST_F(ExclusionStoreTest, SavingRenumbersFromZeroAndLeavesEmptyEntriesOut) {
    SaveExclusionList(store, key, "FolderStr", {"/a", "/b", "/c", "/d"});
    SaveExclusionList(store, key, "FolderStr", {"/a", "/c", "", "/d"});
    auto k = store.OpenKey(key, false);
    EXPECT_EQ((Strings{"FolderStr0", "FolderStr1", "FolderStr3"}), k->ValueNames());
    EXPECT_EQ("/d", k->ReadText("FolderStr3"));
}

TEST_F(ExclusionStoreTest, LoadingAppendsEveryValueWhateverItsName) {
    {
        auto k = store.OpenKey(key, true);
        k->WriteText("FolderStr0", "/srv/a");
        k->WriteText("added by hand", "/srv/hand");
        k->WriteInteger("not a text", 5);
    }
    Strings list = {"/already"};
    LoadExclusionList(store, kExcludeFolders.subkey, list);
    EXPECT_EQ((Strings{"/already", "/srv/a", "/srv/hand"}), list);
}

TEST_F(ExclusionStoreTest, LoadingMakesTheMissingSubkey) {
    Strings list;
    LoadExclusionList(store, kExcludeExtensions.subkey, list);
    EXPECT_TRUE(list.empty());
    EXPECT_NE(nullptr, store.OpenKey(GroupKey({}, "ExcludeExtensions"), false));
}

}  // namespace
}  // namespace tabulo
