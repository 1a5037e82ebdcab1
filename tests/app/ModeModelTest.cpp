#include "app/ModeModel.h"

#include <gtest/gtest.h>

namespace tabulo {
namespace {

using F = PatternFormat;

// The main window's settings, its Advanced window and its mode model, as at start-up.
struct MainWindow {
    ListSettings settings;
    TPatternForm advanced;
    ModeModel mode{settings, advanced};
};

// The fields SetAdvancedMode derives, in one line so a failure shows them all.
std::string Derived(const ListSettings& s) {
    std::string text;
    const std::pair<const char*, bool> fields[] = {
        {"FixedColumns", s.FixedColumns},
        {"UseAutoComments", s.UseAutoComments},
        {"rbNormal", s.rbNormal},
        {"rbHTML", s.rbHTML},
        {"rbSDV", s.rbSDV},
        {"UseFileTimes", s.UseFileTimes},
        {"cbEXE", s.cbEXE},
        {"cbImage", s.cbImage},
        {"cbMPEG", s.cbMPEG},
    };
    for (const auto& [name, on] : fields) {
        if (on) text += std::string(text.empty() ? "" : " ") + name;
    }
    return text;
}

TEST(ModeModel, SimplePatternFollowsTheTickedIncludeBoxes) {
    struct Row {
        bool size, date, time, attr;
        std::string pattern;
    };
    const Row rows[] = {
        {false, false, false, false, "%NAME"},           {true, true, true, true, "%NAME %SIZE %DATE %TIME %ATTR"},
        {true, true, false, false, "%NAME %SIZE %DATE"}, {false, true, true, false, "%NAME %DATE %TIME"},
        {true, false, true, false, "%NAME %SIZE %TIME"},  // "Time" disabled, but ticked
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        MainWindow w;
        w.mode.SetInclTime(row.time);
        w.mode.SetInclSize(row.size);
        w.mode.SetAttr(row.attr);
        w.mode.SetInclDate(row.date);
        EXPECT_EQ(row.date, w.mode.InclTimeEnabled());
        w.mode.PrepareRun();
        EXPECT_EQ(row.pattern, w.settings.ActivePattern);
        EXPECT_EQ(row.pattern, w.mode.PatternText());
    }
}

TEST(ModeModel, SetAdvancedModeTakesTheAdvancedWindowOver) {
    struct Row {
        const char* name;
        std::string pattern;
        std::vector<PatternFormat> clicks;
        std::string qualifier;
        std::string derived;
    };
    const Row rows[] = {
        {"normal", "%NAME %SIZE", {}, "\"", "FixedColumns rbNormal"},
        {"HTML", "%NAME %SIZE", {F::HTML}, "\"", "rbHTML"},
        {"delimited without qualifier", "%NAME %SIZE", {F::Delimited}, "<none>", "FixedColumns rbSDV"},
        {"delimited with a double quote", "%NAME %SIZE", {F::Delimited}, "\"", "rbSDV"},
        {"back to normal", "%NAME %SIZE", {F::Delimited, F::Normal}, "\"", "FixedColumns rbNormal"},
        {"an MP3 token with the MPEG source off",
         "%NAME %MP3_TIT",
         {},
         "\"",
         "FixedColumns UseAutoComments rbNormal cbMPEG"},
        {"a product version", "%NAME %FILE_VER", {}, "\"", "FixedColumns UseAutoComments rbNormal cbEXE"},
        {"an IPTC token", "%IPTC_CAP %NAME", {}, "\"", "FixedColumns UseAutoComments rbNormal cbImage"},
        {"AutoComments", "%NAME %COMM", {}, "\"", "FixedColumns UseAutoComments rbNormal"},
        {"created and accessed times", "%NAME %CTIM %ATIM", {}, "\"", "FixedColumns rbNormal UseFileTimes"},
        {"tokens are looked for in their exact case", "%NAME %mp3_tit %file_ver", {}, "\"", "FixedColumns rbNormal"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MainWindow w;
        for (CommentSource s : {CommentSource::MPEG, CommentSource::EXE, CommentSource::Image}) {
            w.advanced.SetSource(s, false);
        }
        w.advanced.SetQualifier(row.qualifier);
        w.advanced.SetCurrentFormat(kFormatNormal);
        w.advanced.PatternEdited(row.pattern);
        for (PatternFormat f : row.clicks)
            w.advanced.SelectFormat(f);
        w.mode.SetAdvancedMode();
        EXPECT_TRUE(w.mode.AdvancedMode());
        EXPECT_EQ(row.derived, Derived(w.settings));
        EXPECT_EQ(w.advanced.PatternText(), w.mode.PatternText());
    }

    // The Include boxes, the hidden files, the sources and the caption handling come along.
    MainWindow w;
    w.advanced.PatternEdited("%NAME %TIME %ATTR");
    w.advanced.SetHiddenFiles(true);
    w.advanced.SetSource(CommentSource::Zip, false);
    w.advanced.SetSource(CommentSource::URL, true);
    w.advanced.SetSource(CommentSource::LNK, true);
    w.advanced.SetLongCaption(0);
    w.advanced.SetMaxCaptionLength(55);
    w.mode.SetAdvancedMode();
    EXPECT_FALSE(w.mode.InclSize());
    EXPECT_FALSE(w.mode.InclDate());
    EXPECT_FALSE(w.mode.InclTimeEnabled());  // setting "Date" ran its click handler
    EXPECT_TRUE(w.mode.InclTime());
    EXPECT_TRUE(w.mode.Attr());
    EXPECT_TRUE(w.settings.IncludeAllFiles);
    EXPECT_FALSE(w.settings.cbZip);
    EXPECT_TRUE(w.settings.cbHTML);
    EXPECT_TRUE(w.settings.cbURL);
    EXPECT_TRUE(w.settings.cbLNK);
    EXPECT_EQ(0, w.settings.LongCaption);
    EXPECT_EQ(55, w.settings.MaxCaptionLength);
}

TEST(ModeModel, AdvancedButtonShowsTheSimplePatternAndSwitchesOnOk) {
    MainWindow w;
    w.mode.SetInclTime(true);
    w.mode.SetAttr(true);
    w.settings.ListOptions.ResetCounter = false;
    // An earlier session left the Advanced window with an HTML pattern.
    w.advanced.SetCurrentFormat(kFormatNormal);
    w.advanced.PatternEdited("%NUMB %NAME");
    w.advanced.SelectFormat(F::HTML);

    w.mode.btnAdvancedClick([&](TPatternForm& form) {
        EXPECT_EQ("%NAME %SIZE %DATE %TIME %ATTR", form.PatternText());
        EXPECT_TRUE(form.Ticked(Token::NAME));
        EXPECT_FALSE(form.Ticked(Token::NUMB));
        EXPECT_EQ(F::Normal, form.SelectedFormat());
        EXPECT_EQ(kFormatNormal, form.CurrentFormat());
        EXPECT_FALSE(form.ResetCounter());
        EXPECT_EQ("LONG FILENAME.EXT 10 800 30.06.2003 12:00:00 A", form.Preview());
        form.SetTicked(Token::TIME, false);
        form.SetResetCounter(true);
        form.SelectFormat(F::HTML);
        form.btnOKClick();
        return ModalResult::Ok;
    });
    EXPECT_TRUE(w.mode.AdvancedMode());
    EXPECT_TRUE(w.advanced.AdvancedMode());
    EXPECT_EQ("<tr><td>%NAME</td><td align=\"right\">%SIZE&nbsp;&nbsp;</td><td>%DATE</td><td>%ATTR</td></tr>",
              w.mode.PatternText());
    EXPECT_EQ("rbHTML cbMPEG", Derived(w.settings));
    EXPECT_FALSE(w.mode.InclTime());
    EXPECT_TRUE(w.settings.ListOptions.ResetCounter);
}

TEST(ModeModel, CancelInTheAdvancedWindowLeavesSimpleMode) {
    MainWindow w;
    w.mode.CreateAdvancedForm();
    w.mode.SetInclSize(false);
    w.mode.btnAdvancedClick([](TPatternForm& form) {
        form.SetTicked(Token::FILE_VER, true);
        form.btnCancelClick();
        return ModalResult::Cancel;
    });
    EXPECT_FALSE(w.mode.AdvancedMode());
    EXPECT_FALSE(w.mode.InclSize());
    EXPECT_TRUE(w.mode.InclDate());
    EXPECT_EQ("FixedColumns rbNormal cbMPEG", Derived(w.settings));
    EXPECT_EQ("", w.advanced.PatternText());  // as when it was created
    w.mode.PrepareRun();
    EXPECT_EQ("%NAME %DATE", w.settings.ActivePattern);
}

TEST(ModeModel, SimpleButtonRunsTheSimplePatternWhateverTheAdvancedWindowShows) {
    MainWindow w;
    w.advanced.SetCurrentFormat(kFormatNormal);
    w.advanced.SetQualifier("<none>");
    w.advanced.PatternEdited("%NAME %SIZE");
    w.advanced.SelectFormat(F::Delimited);
    w.advanced.btnOKClick();
    w.mode.SetAdvancedMode();
    EXPECT_EQ("FixedColumns rbSDV cbMPEG", Derived(w.settings));

    w.mode.btnSimpleClick();
    EXPECT_FALSE(w.mode.AdvancedMode());
    EXPECT_FALSE(w.advanced.AdvancedMode());
    EXPECT_EQ(F::Delimited, w.advanced.SelectedFormat());
    w.mode.PrepareRun();
    EXPECT_EQ("%NAME %SIZE", w.settings.ActivePattern);  // "Date" followed the pattern
    EXPECT_EQ("FixedColumns rbNormal cbMPEG", Derived(w.settings));
    // Sizes follow the Advanced window's "Delimited list" button in both modes.
    EXPECT_TRUE(w.settings.FormatSDV);
}

TEST(ModeModel, HandEditsRunAsTypedAndTheEditButtonTakesThemIn) {
    MainWindow w;
    w.advanced.PatternEdited("%NAME");
    w.mode.SetAdvancedMode();
    w.mode.SetPatternText("%NAME %FILE_VER");
    w.mode.PrepareRun();
    EXPECT_EQ("%NAME %FILE_VER", w.settings.ActivePattern);
    // Not derived again from the edited text until the Advanced window is confirmed.
    EXPECT_EQ("FixedColumns rbNormal cbMPEG", Derived(w.settings));

    w.settings.ListOptions.ResetCounter = false;
    w.mode.btnEditAdvancedClick([](TPatternForm& form) {
        EXPECT_EQ("%NAME %FILE_VER", form.PatternText());
        EXPECT_TRUE(form.Ticked(Token::FILE_VER));
        EXPECT_FALSE(form.ResetCounter());
        form.btnOKClick();
        return ModalResult::Ok;
    });
    EXPECT_EQ("FixedColumns UseAutoComments rbNormal cbEXE cbMPEG", Derived(w.settings));
    EXPECT_FALSE(w.settings.ListOptions.ResetCounter);

    // A pattern shorter than five characters runs as "%NAME", and the box shows it.
    w.mode.SetPatternText("%SIZ");
    w.mode.PrepareRun();
    EXPECT_EQ("%NAME", w.settings.ActivePattern);
    EXPECT_EQ("%NAME", w.mode.PatternText());
}

// A store that holds the Advanced window's flag and pattern.
class FlagStore : public PatternFormStore {
  public:
    bool advancedMode = false;
    void LoadAdvanced(TPatternForm& form) override {
        form.SetPatternText("%NAME %SIZE");
        form.SetAdvancedModeFlag(advancedMode);
        form.SetNumDigits(4);
        form.SetMaxLengthComment(40);
        form.SetSource(CommentSource::DescriptIon, true);
    }
    void SaveAdvanced(const TPatternForm&) override {}
};

TEST(ModeModel, StartUpAndProfilesFollowTheAdvancedWindowsFlag) {
    for (bool stored : {false, true}) {
        SCOPED_TRACE(stored);
        FlagStore store;
        store.advancedMode = stored;
        MainWindow w;
        w.advanced.SetStore(&store);
        w.mode.CreateAdvancedForm();
        EXPECT_EQ(stored, w.mode.AdvancedMode());
        w.mode.PrepareRun();
        EXPECT_EQ(stored ? "%NAME %SIZE" : "%NAME %SIZE %DATE", w.settings.ActivePattern);
        // Read from the Advanced window's controls in either mode.
        EXPECT_EQ(4, w.settings.NumDigits);
        EXPECT_EQ(40, w.settings.MaxLengthComment);
        EXPECT_TRUE(w.settings.cbDescript);

        w.advanced.SetAdvancedModeFlag(!stored);
        w.mode.FollowAdvancedFlag();
        EXPECT_EQ(!stored, w.mode.AdvancedMode());
    }
}

TEST(ModeModel, ViewsAreToldOfModeChanges) {
    MainWindow w;
    std::vector<ModeChange> changes;
    w.mode.Subscribe([&](ModeChange c) { changes.push_back(c); });
    w.advanced.PatternEdited("%NAME");
    w.mode.SetAdvancedMode();
    EXPECT_EQ((std::vector<ModeChange>{ModeChange::Mode, ModeChange::Pattern, ModeChange::IncludeBoxes,
                                       ModeChange::IncludeBoxes, ModeChange::IncludeBoxes}),
              changes);
}

}  // namespace
}  // namespace tabulo
