#include "app/SettingsLifecycle.h"

#include <gtest/gtest.h>

#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Strings = std::vector<std::string>;

// Records each mode switch with what the windows held at that moment.
class RecordingModeSwitch : public ModeSwitch {
  public:
    RecordingModeSwitch(const MainWindowState& main, const TOptionsForm& options) : main_(main), options_(options) {}
    void SetAdvancedMode() override { Record("advanced"); }
    void SetSimpleMode() override { Record("simple"); }
    Strings log;

  private:
    void Record(const std::string& mode) {
        log.push_back(mode + " levels=" + std::to_string(main_.settings.Levels) +
                      " kb=" + std::to_string(options_.Checked(OptionBox::KB)));
    }
    const MainWindowState& main_;
    const TOptionsForm& options_;
};

// The program's windows with the settings they keep, started over one store as the program starts.
struct Program {
    explicit Program(SettingsStore& s) : store(s) {}
    void Start() { StartUpSettings(store, windows); }
    void Exit() { SaveSettingsAtExit(store, windows); }

    SettingsStore& store;
    MainWindowState main;
    TOptionsForm options;
    PageSetupFields pageSetup;
    StoredAdvancedGroup advanced;
    RecordingModeSwitch mode{main, options};
    SettingsWindows windows{main, options, pageSetup, &advanced, &mode};
};

class SettingsLifecycleTest : public ::testing::Test {
  protected:
    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
};

TEST_F(SettingsLifecycleTest, FirstStartReadsNothingAndMakesOnlyTheExclusionSubkeys) {
    Program first(store);
    first.main.programPath = "/usr/bin/tabulo";
    first.Start();
    EXPECT_EQ(Strings{"simple levels=2 kb=0"}, first.mode.log);
    EXPECT_EQ((Strings{"ExcludeExtensions", "ExcludeFilenames", "ExcludeFolders"}),
              store.OpenKey(kMainKey, false)->SubkeyNames());
    EXPECT_EQ(Strings{}, store.OpenKey(kMainKey, false)->ValueNames());

    first.Exit();
    EXPECT_EQ("", store.OpenKey(kMainKey, false)->ReadText("TabuloPro_Exe"));
    EXPECT_EQ(680, store.OpenKey(kMainKey, false)->ReadInteger("Width"));

    Program second(store);
    second.main.programPath = "/usr/bin/tabulo";
    second.Start();
    EXPECT_EQ("/usr/bin/tabulo", store.OpenKey(kMainKey, false)->ReadText("TabuloPro_Exe"));
}

TEST_F(SettingsLifecycleTest, StartUpReadsTheGroupsInWindowOrder) {
    {
        Program before(store);
        before.main.settings.Levels = 7;
        before.Exit();
        before.options.Click(OptionBox::KB);
        before.options.btnOkClick(store);
        before.advanced.values.AdvancedMode = true;
        before.advanced.SaveAdvanced(store, {});
        store.OpenKey(GroupKey({}, "ExcludeExtensions"), false)->WriteText("ExtStr0", ".tmp");
    }
    Program program(store);
    program.main.settings.ExcludedExtensions = {".bak"};
    program.Start();
    // Simple mode before anything is read; advanced mode once the main window and the Options
    // window have read theirs.
    EXPECT_EQ((Strings{"simple levels=2 kb=0", "advanced levels=7 kb=1"}), program.mode.log);
    EXPECT_TRUE(program.main.settings.ListOptions.KB);  // ApplyOptions at first showing
    EXPECT_TRUE(program.main.settings.ArchiveOptions.KB);
    EXPECT_EQ((Strings{".bak", ".tmp"}), program.main.settings.ExcludedExtensions);
}

TEST_F(SettingsLifecycleTest, TheTreeViewButtonReachesTheStoreOnlyThroughTheOptionsWindow) {
    Program program(store);
    program.Start();
    TreeViewButtonClick(program.options, program.main.settings, true);
    program.Exit();
    Program next(store);
    next.Start();
    EXPECT_FALSE(next.options.Checked(OptionBox::TreeViewMode));
    EXPECT_FALSE(next.main.settings.ListOptions.TreeViewMode);
}

TEST_F(SettingsLifecycleTest, AProfileLoadsBackEveryValueItStored) {
    Program program(store);
    program.Start();
    ListSettings& s = program.main.settings;
    s.IncludeFolders = s.RecurseAll = s.IncludeTime = s.IncludeAttr = s.IncludeAllFiles = s.Exclusions = true;
    s.IncludeDate = s.IncludeSize = false;
    s.SortCriteria = SortCriterion::Extension;
    program.main.SetDescending(true);
    s.LeftMargin = 25;
    s.Levels = 9;
    s.MaxLength = 45;
    s.FontName = "DejaVu Sans Mono";
    program.main.SetFontSizeIndex(5);
    s.FontColor = 0x00336699;
    s.UseDefaultFont = true;
    program.main.SetWindowSize(1024, 700);
    program.main.maximized = true;
    program.main.prevCatFolder = "/srv/catalogs";
    program.main.currentFolder = "/home/u/Music";
    s.ExcludedExtensions = {".tmp"};
    program.options.Click(OptionBox::KB);
    program.options.Click(OptionBox::TreeViewMode);
    program.pageSetup.headerText = "Music %d";
    program.pageSetup.rightMargin = 35;
    program.advanced.values.ActivePattern = "%NAME %MP3_TIT";
    program.advanced.values.AdvancedMode = true;
    const MainWindowState savedMain = program.main;
    const PageSetupFields savedPage = program.pageSetup;
    const AdvancedSettings savedAdvanced = program.advanced.values;

    TSaveSettingsForm save;
    save.editSettingname = "Music";
    ASSERT_TRUE(save.btnOkClick(store, [](auto, auto) { return false; }));
    SaveProfile(store, program.windows.Owners(), save.editSettingname);

    Program later(store);
    later.Start();
    later.main.currentFolder = "/somewhere/else";
    later.main.settings.ExcludedExtensions = {".log"};
    const OptionFlags optionsBefore = later.main.settings.ListOptions;
    TLoadSettingsForm load;
    load.PrepareToShow(store);
    ASSERT_EQ("Music", load.text);
    LoadProfile(store, later.windows.Owners(), load.text);

    const MainWindowState& m = later.main;
    EXPECT_EQ("/somewhere/else", m.currentFolder);              // the navigator stays
    EXPECT_EQ(Strings{".log"}, m.settings.ExcludedExtensions);  // the lists stay
    EXPECT_EQ(optionsBefore, m.settings.ListOptions);           // until the Options window closes
    EXPECT_TRUE(later.options.Checked(OptionBox::KB));
    EXPECT_TRUE(later.options.Checked(OptionBox::TreeViewMode));
    EXPECT_EQ(savedPage, later.pageSetup);
    EXPECT_EQ(savedAdvanced, later.advanced.values);
    EXPECT_EQ((Strings{"simple levels=2 kb=0", "advanced levels=9 kb=1"}), later.mode.log);
    EXPECT_EQ(savedMain.rbAscending, m.rbAscending);
    EXPECT_EQ(savedMain.fontSizeIndex, m.fontSizeIndex);
    EXPECT_EQ((std::array{savedMain.width, savedMain.height}), (std::array{m.width, m.height}));
    EXPECT_EQ(savedMain.maximized, m.maximized);
    EXPECT_EQ(savedMain.prevCatFolder, m.prevCatFolder);
    const ListSettings& e = savedMain.settings;
    EXPECT_EQ((std::tuple{e.IncludeFolders, e.RecurseAll, e.IncludeTime, e.IncludeAttr, e.IncludeAllFiles, e.Exclusions,
                          e.IncludeDate, e.IncludeSize}),
              (std::tuple{m.settings.IncludeFolders, m.settings.RecurseAll, m.settings.IncludeTime,
                          m.settings.IncludeAttr, m.settings.IncludeAllFiles, m.settings.Exclusions,
                          m.settings.IncludeDate, m.settings.IncludeSize}));
    EXPECT_EQ((std::tuple{e.SortCriteria, e.Descending, e.LeftMargin, e.Levels, e.MaxLength, e.FontName, e.FontSize,
                          e.FontColor, e.UseDefaultFont}),
              (std::tuple{m.settings.SortCriteria, m.settings.Descending, m.settings.LeftMargin, m.settings.Levels,
                          m.settings.MaxLength, m.settings.FontName, m.settings.FontSize, m.settings.FontColor,
                          m.settings.UseDefaultFont}));
}

TEST_F(SettingsLifecycleTest, LoadingTheEmptyNameReadsTheMainKeyWithItsFolder) {
    Program program(store);
    program.main.currentFolder = "/home/u/Photos";
    program.Exit();
    program.main.currentFolder = "/elsewhere";
    LoadProfile(store, program.windows.Owners(), "");
    EXPECT_EQ("/home/u/Photos", program.main.currentFolder);
}

}  // namespace
}  // namespace tabulo
