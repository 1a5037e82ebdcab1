#include "settings/Profiles.h"

#include <gtest/gtest.h>

#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Strings = std::vector<std::string>;

// Records the calls of the main window's group and writes one value so a save shows in the store.
class RecordingMainGroup : public MainSettingsGroup {
  public:
    explicit RecordingMainGroup(Strings& log) : log_(log) {}
    void ReadReg(SettingsStore&, std::string_view profile) override {
        log_.push_back("ReadReg " + std::string(profile));
    }
    void ReadRegFont(SettingsStore&, std::string_view profile) override {
        log_.push_back("ReadRegFont " + std::string(profile));
    }
    void SaveReg(SettingsStore& store, std::string_view profile) override {
        log_.push_back("SaveReg " + std::string(profile));
        store.OpenKey(SettingsKey(profile), true)->WriteText("FontName", "Arial");
    }

  private:
    Strings& log_;
};

class RecordingAdvancedGroup : public StoredAdvancedGroup {
  public:
    explicit RecordingAdvancedGroup(Strings& log) : log_(log) {}
    void LoadAdvanced(SettingsStore& store, std::string_view profile) override {
        log_.push_back("LoadAdvanced " + std::string(profile));
        StoredAdvancedGroup::LoadAdvanced(store, profile);
    }
    void SaveAdvanced(SettingsStore& store, std::string_view profile) override {
        log_.push_back("SaveAdvanced " + std::string(profile));
        StoredAdvancedGroup::SaveAdvanced(store, profile);
    }

  private:
    Strings& log_;
};

class RecordingModeSwitch : public ModeSwitch {
  public:
    explicit RecordingModeSwitch(Strings& log) : log_(log) {}
    void SetAdvancedMode() override { log_.push_back("SetAdvancedMode"); }
    void SetSimpleMode() override { log_.push_back("SetSimpleMode"); }

  private:
    Strings& log_;
};

class ProfilesTest : public ::testing::Test {
  protected:
    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
    Strings log;
    RecordingMainGroup main{log};
    TOptionsForm options;
    PageSetupFields pageSetup;
    RecordingAdvancedGroup advanced{log};
    RecordingModeSwitch mode{log};
    SettingsOwners owners{main, options, pageSetup, &advanced, &mode};

    void MakeProfiles(const Strings& names) {
        for (const std::string& name : names)
            store.OpenKey(SettingsKey(name), true)->WriteText("FontName", "x");
    }
};

TEST_F(ProfilesTest, SavingWritesEveryGroupIntoTheProfileKey) {
    options.Click(OptionBox::KB);
    pageSetup.footerText = "music";
    advanced.values.ActivePattern = "%NAME %MP3_TIT";
    SaveProfile(store, owners, "Music");
    EXPECT_EQ((Strings{"SaveReg Music", "SaveAdvanced Music"}), log);

    TOptionsForm loadedOptions;
    PageSetupFields loadedPage;
    StoredAdvancedGroup loadedAdvanced;
    loadedOptions.LoadOptions(store, "music");
    loadedPage.LoadPageSetup(store, "MUSIC");
    loadedAdvanced.LoadAdvanced(store, "Music");
    EXPECT_TRUE(loadedOptions.Checked(OptionBox::KB));
    EXPECT_EQ(pageSetup, loadedPage);
    EXPECT_EQ(advanced.values, loadedAdvanced.values);
    EXPECT_EQ(nullptr, store.OpenKey(GroupKey({}, "Options"), false));  // the main key is not touched
}

TEST_F(ProfilesTest, LoadingReadsTheGroupsInOrderThenSetsTheModeTheAdvancedWindowHolds) {
    AdvancedSettings stored;
    stored.AdvancedMode = true;
    SaveAdvancedSettings(store, "p", stored);
    {
        auto key = store.OpenKey(GroupKey("p", "Options"), true);
        key->WriteBool("KB", true);
    }
    ListSettings settings;
    LoadProfile(store, owners, "p");
    EXPECT_EQ((Strings{"ReadReg p", "ReadRegFont p", "LoadAdvanced p", "SetAdvancedMode"}), log);
    EXPECT_TRUE(options.Checked(OptionBox::KB));

    log.clear();
    LoadProfile(store, owners, "no such profile");  // nothing changes; the mode is applied again
    EXPECT_EQ((Strings{"ReadReg no such profile", "ReadRegFont no such profile", "LoadAdvanced no such profile",
                       "SetAdvancedMode"}),
              log);
    EXPECT_TRUE(options.Checked(OptionBox::KB));
}

TEST_F(ProfilesTest, SaveDialogAsksBeforeReplacingAProfileOfTheSameNameIgnoringCase) {
    struct Row {
        const char* name;
        Strings profiles;
        std::string typed;
        bool answer;
        bool asked;
        bool closes;
    };
    const Row rows[] = {
        {"a new name closes at once", {"Music"}, "Photos", false, false, true},
        {"no profiles at all", {}, "Photos", false, false, true},
        {"same name but for case, Yes", {"Music"}, "MUSIC", true, true, true},
        {"same name, No keeps the dialog open", {"Music"}, "Music", false, true, false},
        {"the empty name is the main key: no question", {"Music"}, "", false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempTree own;
        SettingsStore s(own.Path("settings.reg"));
        for (const std::string& p : row.profiles)
            s.OpenKey(SettingsKey(p), true)->WriteText("FontName", "x");
        TSaveSettingsForm form;
        form.editSettingname = row.typed;
        bool asked = false;
        const bool closes = form.btnOkClick(s, [&](std::string_view caption, std::string_view text) {
            asked = true;
            EXPECT_EQ("Profile exists", caption);
            EXPECT_EQ("This name already exists. Replace existing profile?", text);
            return row.answer;
        });
        EXPECT_EQ(row.asked, asked);
        EXPECT_EQ(row.closes, closes);
    }
}

TEST_F(ProfilesTest, ReplacingUnderAnotherCaseWritesIntoTheExistingKey) {
    MakeProfiles({"Music"});
    SaveProfile(store, owners, "MUSIC");
    EXPECT_EQ(Strings{"Music"}, ListProfiles(store));
}

TEST_F(ProfilesTest, LoadDialogOffersTheProfilesSortedAndKeepsItsItemsWhenThereAreNone) {
    TLoadSettingsForm form;
    form.PrepareToShow(store);
    EXPECT_TRUE(form.items.empty());
    EXPECT_EQ("", form.text);

    MakeProfiles({"photos", "Music", "archive\\2023"});
    form.PrepareToShow(store);
    EXPECT_EQ((Strings{"archive", "Music", "photos"}),
              form.items);  // a nested name shows its first part
    EXPECT_EQ(0, form.itemIndex);
    EXPECT_EQ("archive", form.text);

    // Loading that first part finds no values of its own.
    EXPECT_EQ(nullptr, store.OpenKey(GroupKey("archive", "Options"), false));
    EXPECT_EQ(Strings{}, store.OpenKey(SettingsKey("archive"), false)->ValueNames());
}

}  // namespace
}  // namespace tabulo
