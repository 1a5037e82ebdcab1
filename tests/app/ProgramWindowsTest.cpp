// The windows that keep settings, bound to a settings store file: start-up, the Advanced window's
// OK and Cancel, profiles and the mode they bring back.
#include "app/ProgramWindows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "settings/SettingsKey.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using F = PatternFormat;

std::set<Token> TickedBoxes(const TPatternForm& form) {
    std::set<Token> ticked;
    for (const TokenBoxInfo& box : kTokenBoxes) {
        if (form.Ticked(box.token)) ticked.insert(box.token);
    }
    return ticked;
}

class ProgramWindowsTest : public ::testing::Test {
  protected:
    // An "\Advanced" group with a delimited pattern, as an OK of the window leaves it; `edit`
    // changes it before it is written.
    void StoreAdvanced(std::string_view profile, const std::function<void(AdvancedSettings&)>& edit = {}) {
        AdvancedSettings values;
        values.ActivePattern = "'%NAME';'%SIZE'";
        values.AdvancedMode = true;
        values.cbNameExt = values.cbSize = true;
        values.cbDate = false;
        values.currentFormat = kFormatDelimited;
        values.SetFormat(&AdvancedSettings::rbSDV, true);
        values.Separator = kSeparatorSemicolon;
        values.Qualifier = "'";
        values.NumDigits = 4;
        if (edit) edit(values);
        SaveAdvancedSettings(store, profile, values);
    }
    void WriteInteger(const std::string& key, std::string_view name, int value) {
        store.OpenKey(key, true)->WriteInteger(name, value);
    }

    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
};

TEST_F(ProgramWindowsTest, TheModeAfterStartUpFollowsTheAdvancedWindowsStoredFlag) {
    const std::string advancedKey = GroupKey({}, "Advanced");
    struct Row {
        const char* name;
        std::function<void()> store;
        bool advanced;
        std::string pattern;  // of the first run
    };
    const Row rows[] = {
        {"nothing stored", [] {}, false, "%NAME %SIZE %DATE"},
        {"advanced", [this] { StoreAdvanced({}); }, true, "'%NAME';'%SIZE'"},
        {"simple, though the main group recorded advanced mode",
         [this] {
             StoreAdvanced({}, [](AdvancedSettings& v) { v.AdvancedMode = false; });
             WriteInteger(std::string(kMainKey), "AdvancedMode", 1);
         },
         false, "%NAME %SIZE %DATE"},
        {"a group that ends before its pattern and flag",
         [&] {
             StoreAdvanced({});
             store.OpenKey(advancedKey, false)->DeleteValue("cbURL");
         },
         false, "%NAME %SIZE %DATE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(store.Path());
        row.store();
        ProgramWindows program(&store);
        program.StartUp();
        EXPECT_EQ(row.advanced, program.mode.AdvancedMode());
        EXPECT_EQ(row.advanced, program.main.settings.AdvancedMode);
        program.mode.PrepareRun();
        EXPECT_EQ(row.pattern, program.main.settings.ActivePattern);
    }
}

TEST_F(ProgramWindowsTest, StartUpLoadsTheAdvancedWindowGuardedAndLetsThePatternDecide) {
    StoreAdvanced({}, [](AdvancedSettings& v) {
        v.ActivePattern = "%NAME;%SIZE";
        v.cbDate = true;  // stored ticked, but the pattern has no date
        v.SetFormat(&AdvancedSettings::rbNormal, true);
        v.rbTable = true;
        v.Separator = kSeparatorNone;
        v.cbImage = true;
        v.MaxCaptionLength = 45;
    });
    WriteInteger(GroupKey({}, "Options"), "KB", 1);

    ProgramWindows program(&store);
    program.StartUp();
    const TPatternForm& form = program.advanced;
    // Ticking the stored Date box while loading did not append "%DATE" to the pattern.
    EXPECT_EQ("%NAME;%SIZE", form.PatternText());
    EXPECT_EQ((std::set<Token>{Token::NAME, Token::SIZE}), TickedBoxes(form));
    // Detected from the text, which stays unconverted.
    EXPECT_EQ(F::Delimited, form.SelectedFormat());
    EXPECT_EQ(kSeparatorSemicolon, form.SeparatorIndex());
    EXPECT_EQ(kFormatDelimited, form.CurrentFormat());
    EXPECT_FALSE(form.FormatButton(F::Table));
    EXPECT_EQ(4, form.NumDigits());
    EXPECT_EQ("LONG FILENAME.EXT;10 KB", form.Preview());  // "Sizes as KB" of the Options window
    EXPECT_FALSE(form.InUpdate());

    const ListSettings& s = program.main.settings;
    EXPECT_EQ("%NAME;%SIZE", program.mode.PatternText());
    EXPECT_TRUE(s.rbSDV);
    EXPECT_FALSE(s.FixedColumns);
    EXPECT_FALSE(s.IncludeDate);
    EXPECT_TRUE(s.cbImage);
    EXPECT_EQ(45, s.MaxCaptionLength);
}

TEST_F(ProgramWindowsTest, APatternConvertedToTheStoredFormatKeepsIt) {
    struct Row {
        const char* name;
        std::string pattern;
        int currentFormat;
        int separator;
        std::string qualifier;
        PatternFormat format;  // after start-up
        int separatorAfter;
    };
    const Row rows[] = {
        {"fields joined by blanks", "%NAME %SIZE", kFormatDelimited, kSeparatorSpace, "<none>", F::Delimited,
         kSeparatorSpace},
        {"an Other: separator without qualifier", "%NAME|%SIZE", kFormatDelimited, kSeparatorOther, "<none>",
         F::Delimited, kSeparatorOther},
        {"a semicolon inside a comma-separated field", "'%NAME','%SIZE;x'", kFormatDelimited, kSeparatorComma, "'",
         F::Delimited, kSeparatorComma},
        {"a pattern typed after the conversion", "%NAME|%SIZE", kFormatNormal, kSeparatorOther, "<none>", F::Normal,
         kSeparatorOther},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(store.Path());
        StoreAdvanced({}, [&](AdvancedSettings& v) {
            v.ActivePattern = row.pattern;
            v.currentFormat = row.currentFormat;
            v.Separator = row.separator;
            v.Qualifier = row.qualifier;
        });
        ProgramWindows program(&store);
        program.StartUp();
        EXPECT_EQ(row.format, program.advanced.SelectedFormat());
        EXPECT_EQ(row.separatorAfter, program.advanced.SeparatorIndex());
        EXPECT_EQ(row.format == F::Delimited, program.main.settings.rbSDV);
        EXPECT_EQ(row.pattern, program.mode.PatternText());
    }
}

TEST_F(ProgramWindowsTest, IncludeBoxesReadFromTheStoreActAsClicks) {
    WriteInteger(std::string(kMainKey), "SortCriteria", 0);
    for (const auto& [name, value] : {std::pair{"Ascending", 1}, {"Descending", 0}}) {
        WriteInteger(std::string(kMainKey), name, value);
    }
    store.OpenKey(kMainKey, false)->WriteText("CurrentFolder", "/");
    for (const auto& [name, value] : {std::pair{"IncludeFolders", 0},
                                      {"RecurseAll", 0},
                                      {"IncludeDate", 0},
                                      {"IncludeTime", 1},
                                      {"IncludeSize", 0},
                                      {"IncludeAttr", 1}}) {
        WriteInteger(std::string(kMainKey), name, value);
    }
    ProgramWindows program(&store);
    std::vector<ModeChange> changes;
    program.mode.Subscribe([&](ModeChange c) { changes.push_back(c); });
    program.StartUp();
    EXPECT_FALSE(program.mode.InclTimeEnabled());  // "Date" unticked disables "Time"
    EXPECT_TRUE(program.mode.InclTime());
    EXPECT_EQ(5, std::count(changes.begin(), changes.end(), ModeChange::IncludeBoxes));
    program.mode.PrepareRun();
    EXPECT_EQ("%NAME %TIME %ATTR", program.main.settings.ActivePattern);
}

TEST_F(ProgramWindowsTest, CancelRestoresTheStoredStateAndOkStoresTheWindow) {
    StoreAdvanced({});
    ProgramWindows program(&store);
    program.StartUp();
    TPatternForm& form = program.advanced;
    const AdvancedSettings created = StoredValuesOf(form);
    const std::string file = test::ReadFile(store.Path());

    program.mode.btnEditAdvancedClick([](TPatternForm& f) {
        f.SetTicked(Token::DATE, true);
        f.SelectFormat(F::HTML);
        f.SetNumDigits(7);
        f.SetQualifier("\"");
        f.btnCancelClick();
        return ModalResult::Cancel;
    });
    EXPECT_EQ(created, StoredValuesOf(form));
    EXPECT_EQ(file, test::ReadFile(store.Path()));
    EXPECT_EQ("'%NAME';'%SIZE'", program.mode.PatternText());

    program.mode.btnEditAdvancedClick([](TPatternForm& f) {
        f.SetTicked(Token::DATE, true);
        f.btnOKClick();
        return ModalResult::Ok;
    });
    EXPECT_EQ("'%NAME';'%SIZE';'%DATE'", program.mode.PatternText());
    ProgramWindows next(&store);
    next.StartUp();
    EXPECT_TRUE(next.mode.AdvancedMode());
    EXPECT_EQ("'%NAME';'%SIZE';'%DATE'", next.mode.PatternText());
    EXPECT_EQ(StoredValuesOf(form), StoredValuesOf(next.advanced));
}

TEST_F(ProgramWindowsTest, ExitRecordsTheModeButTheNextStartFollowsTheAdvancedWindow) {
    StoreAdvanced({});
    ProgramWindows program(&store);
    program.StartUp();
    program.mode.btnSimpleClick();
    program.Exit();
    EXPECT_EQ(0, store.OpenKey(kMainKey, false)->ReadInteger("AdvancedMode"));
    EXPECT_EQ(1, store.OpenKey(GroupKey({}, "Advanced"), false)->ReadInteger("AdvancedMode"));

    ProgramWindows next(&store);
    next.StartUp();
    EXPECT_TRUE(next.mode.AdvancedMode());
}

TEST_F(ProgramWindowsTest, AProfileBringsBackTheAdvancedWindowAndItsMode) {
    {
        ProgramWindows before(&store);
        before.StartUp();
        before.mode.btnAdvancedClick([](TPatternForm& f) {
            f.SetTicked(Token::MP3_TIT, true);
            f.SelectFormat(F::HTML);
            f.SetHiddenFiles(true);
            f.btnOKClick();
            return ModalResult::Ok;
        });
        before.SaveProfile("Web");
        before.mode.btnSimpleClick();
        before.SaveProfile("Plain");
    }
    const std::string html =
        "<tr><td>%NAME</td><td align=\"right\">%SIZE&nbsp;&nbsp;</td><td>%DATE</td>"
        "<td>%MP3_TIT</td></tr>";
    // Stored boxes that the pattern contradicts: the pattern has the last word.
    WriteInteger(GroupKey("Web", "Advanced"), "cbAttr", 1);

    ProgramWindows program(&store);
    program.StartUp();
    ASSERT_TRUE(program.mode.AdvancedMode());  // the OK stored it in the main key too
    const ListSettings& s = program.main.settings;

    program.LoadProfile("Plain");
    EXPECT_FALSE(program.mode.AdvancedMode());
    EXPECT_TRUE(s.rbNormal);
    EXPECT_EQ(html, program.advanced.PatternText());  // kept for the next "&Advanced"
    program.mode.PrepareRun();
    EXPECT_EQ("%NAME %SIZE %DATE", s.ActivePattern);

    program.LoadProfile("web");
    EXPECT_TRUE(program.mode.AdvancedMode());
    EXPECT_EQ(html, program.mode.PatternText());
    EXPECT_EQ((std::set<Token>{Token::NAME, Token::SIZE, Token::DATE, Token::MP3_TIT}), TickedBoxes(program.advanced));
    EXPECT_TRUE(s.rbHTML);
    EXPECT_TRUE(s.UseAutoComments);
    EXPECT_TRUE(s.IncludeAllFiles);
    EXPECT_FALSE(s.IncludeAttr);
}

TEST_F(ProgramWindowsTest, FactorySettingsReadAndWriteNothing) {
    ProgramWindows program(nullptr);
    program.StartUp();
    EXPECT_FALSE(program.mode.AdvancedMode());
    EXPECT_EQ(F::Normal, program.advanced.SelectedFormat());
    EXPECT_EQ(std::set<Token>{}, TickedBoxes(program.advanced));
    program.options.Click(OptionBox::LowerCase);
    program.advanced.PatternEdited("%NAME");
    EXPECT_EQ("long filename.ext", program.advanced.Preview());
    program.advanced.btnOKClick();
    program.SaveProfile("Music");
    program.Exit();
    EXPECT_FALSE(std::filesystem::exists(store.Path()));
}

}  // namespace
}  // namespace tabulo
