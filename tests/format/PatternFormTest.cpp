#include "format/PatternForm.h"

#include <gtest/gtest.h>

#include <set>

namespace tabulo {
namespace {

using F = PatternFormat;

// The state a test starts from, put into the form as the settings store would: with the guard
// set, so nothing is converted; the field boxes follow the text.
struct Start {
    std::string pattern;
    PatternFormat format = F::Normal;
    int currentFormat = kFormatNormal;
    int separator = kSeparatorNone;
    std::string qualifier = "\"";
    std::string otherText;
};

void Load(TPatternForm& form, const Start& s) {
    TPatternForm::LoadScope guard(form);
    form.SetPatternText(s.pattern);
    for (const TokenBoxInfo& box : kTokenBoxes) {
        form.SetTicked(box.token, s.pattern.find(TokenText(box.token)) != std::string::npos);
    }
    form.SetFormatButton(s.format, true);
    form.SetCurrentFormat(s.currentFormat);
    form.SetSeparatorIndex(s.separator);
    form.SetQualifier(s.qualifier);
    form.SetSeparatorText(s.otherText);
}

std::set<Token> TickedBoxes(const TPatternForm& form) {
    std::set<Token> ticked;
    for (const TokenBoxInfo& box : kTokenBoxes) {
        if (form.Ticked(box.token)) ticked.insert(box.token);
    }
    return ticked;
}

TEST(PatternForm, ToggleTokenInsertsAndRemovesByTheSelectedFormat) {
    struct Row {
        const char* name;
        Start start;
        Token token;
        bool ticked;
        std::string after;
    };
    const Row rows[] = {
        {"normal: a middle field goes with the blanks after it",
         {"%NAME %SIZE %DATE"},
         Token::SIZE,
         false,
         "%NAME %DATE"},
        {"normal: the blank before the last field stays", {"%NAME %SIZE %DATE"}, Token::DATE, false, "%NAME %SIZE "},
        {"normal: trailing blanks go before a field is added",
         {"%NAME %SIZE "},
         Token::TIME,
         true,
         "%NAME %SIZE %TIME"},
        {"normal: an empty pattern gets a leading blank", {""}, Token::SIZE, true, " %SIZE"},
        {"normal: a trailing separator goes too",
         {"%NAME;", F::Normal, 3, kSeparatorSemicolon},
         Token::SIZE,
         true,
         "%NAME %SIZE"},
        {"normal: only the first of two occurrences goes", {"%NAME %SIZE %NAME"}, Token::NAME, false, "%SIZE %NAME"},
        {"normal: a token that is not there changes nothing", {"%NAME %SIZE"}, Token::DATE, false, "%NAME %SIZE"},
        {"delimited: a field is added after a separator",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::DATE,
         true,
         "'%NAME';'%SIZE';'%DATE'"},
        {"delimited: a middle field goes with its separator",
         {"'%NAME';'%SIZE';'%DATE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::SIZE,
         false,
         "'%NAME';'%DATE'"},
        {"delimited: the first field goes with its separator",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::NAME,
         false,
         "'%SIZE'"},
        {"delimited: the last field leaves the separator before it",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::SIZE,
         false,
         "'%NAME';"},
        {"delimited: a trailing separator is not doubled",
         {"'%NAME';", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::DATE,
         true,
         "'%NAME';'%DATE'"},
        {"delimited without qualifier",
         {"%NAME;%SIZE", F::Delimited, 2, kSeparatorSemicolon, "<none>"},
         Token::NAME,
         false,
         "%SIZE"},
        {"delimited: a field without its qualifiers is left alone",
         {"%NAME;'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         Token::NAME,
         false,
         "%NAME;'%SIZE'"},
        {"delimited: a separator of one multi-byte character",
         {"'%NAME'§'%SIZE'", F::Delimited, 2, kSeparatorOther, "'", "§"},
         Token::NAME,
         false,
         "'%SIZE'"},
        {"HTML: a cell is added inside the row",
         {"<tr><td>%NAME</td></tr>", F::HTML, 1},
         Token::SIZE,
         true,
         "<tr><td>%NAME</td><td>%SIZE</td></tr>"},
        {"HTML: a whole cell goes",
         {"<tr><td>%NAME</td><td>%SIZE</td></tr>", F::HTML, 1},
         Token::NAME,
         false,
         "<tr><td>%SIZE</td></tr>"},
        {"HTML: an MP3 cell goes",
         {"<tr><td>%NAME</td><td>%MP3_TIT</td></tr>", F::HTML, 1},
         Token::MP3_TIT,
         false,
         "<tr><td>%NAME</td></tr>"},
        {"HTML: a right-aligned cell loses only its token",
         {"<tr><td align=\"right\">%SIZE&nbsp;&nbsp;</td></tr>", F::HTML, 1},
         Token::SIZE,
         false,
         "<tr><td align=\"right\">&nbsp;&nbsp;</td></tr>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPatternForm form;
        Load(form, row.start);
        form.ToggleToken(TokenText(row.token), row.ticked);
        EXPECT_EQ(row.after, form.PatternText());
    }
}

// One user action on the "Format output" page.
struct Step {
    enum Kind { Format, Separator, OtherText, Qualifier } kind;
    PatternFormat format = F::None;
    int index = 0;
    std::string text;
};
Step Click(PatternFormat f) {
    return {Step::Format, f};
}
Step Sep(int index) {
    return {Step::Separator, F::None, index};
}
Step Other(std::string text) {
    return {Step::OtherText, F::None, 0, std::move(text)};
}
Step Qual(std::string text) {
    return {Step::Qualifier, F::None, 0, std::move(text)};
}

void Apply(TPatternForm& form, const Step& step) {
    switch (step.kind) {
        case Step::Format:
            form.SelectFormat(step.format);
            break;
        case Step::Separator:
            form.SetSeparatorIndex(step.index);
            break;
        case Step::OtherText:
            form.SetSeparatorText(step.text);
            break;
        case Step::Qualifier:
            form.SetQualifier(step.text);
            break;
    }
}

TEST(PatternForm, FormatChoiceConvertsThePattern) {
    struct Row {
        const char* name;
        Start start;
        std::vector<Step> steps;
        std::string after;
        int currentFormat;
    };
    const Start nameSizeDate{"%NAME %SIZE %DATE", F::Normal, 3, kSeparatorSemicolon, "'"};
    const Row rows[] = {
        {"normal to HTML: a cell per field, the number's point in its cell",
         {"%NUMB. %NAME %DATE"},
         {Click(F::HTML)},
         "<tr><td>%NUMB.</td><td>%NAME</td><td>%DATE</td></tr>",
         1},
        {"sizes and disk usage get right-aligned cells",
         {"%NAME %SIZE %DUSG"},
         {Click(F::HTML)},
         "<tr><td>%NAME</td><td align=\"right\">%SIZE&nbsp;&nbsp;</td>"
         "<td align=\"right\">%DUSG&nbsp;&nbsp;</td></tr>",
         1},
        {"a number without a point, a product version",
         {"%NUMB %FILE_VER %iptc_cap"},
         {Click(F::HTML)},
         "<tr><td>%NUMB</td><td>%FILE_VER</td>%iptc_cap</tr>",
         1},
        {"literal text loses its blanks and stays outside the cells",
         {"COPY %NAME A:"},
         {Click(F::HTML)},
         "<tr>COPY<td>%NAME</td>A:</tr>",
         1},
        {"and back to normal", {"COPY %NAME A:"}, {Click(F::HTML), Click(F::Normal)}, "COPY%NAME A:", 3},
        {"HTML to normal: one blank per cell end",
         {"<tr><td>%NAME</td><td>%SIZE</td></tr>", F::HTML, 1},
         {Click(F::Normal)},
         "%NAME %SIZE ",
         3},
        {"normal to delimited with Semicolon and '", nameSizeDate, {Click(F::Delimited)}, "'%NAME';'%SIZE';'%DATE'", 2},
        {"then Comma", nameSizeDate, {Click(F::Delimited), Sep(kSeparatorComma)}, "'%NAME','%SIZE','%DATE'", 2},
        {"then Normal runs comma-joined fields together",
         nameSizeDate,
         {Click(F::Delimited), Sep(kSeparatorComma), Click(F::Normal)},
         "%NAME%SIZE%DATE",
         3},
        {"with Semicolon kept Normal gives the blanks back",
         nameSizeDate,
         {Click(F::Delimited), Click(F::Normal)},
         "%NAME %SIZE %DATE",
         3},
        {"Space without qualifier keeps the blanks",
         {"%NAME %SIZE %DATE", F::Normal, 3, kSeparatorSpace, "<none>"},
         {Click(F::Delimited)},
         "%NAME %SIZE %DATE",
         2},
        {"and back to normal it is unchanged",
         {"%NAME %SIZE %DATE", F::Normal, 3, kSeparatorSpace, "<none>"},
         {Click(F::Delimited), Click(F::Normal)},
         "%NAME %SIZE %DATE",
         3},
        {"HTML to delimited: the trailing blank becomes an empty field",
         {"<tr><td>%NAME</td><td>%SIZE</td></tr>", F::HTML, 1, kSeparatorSemicolon, "'"},
         {Click(F::Delimited)},
         "'%NAME';'%SIZE';''",
         2},
        {"delimited to HTML",
         {"'%NAME';'%DATE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         {Click(F::HTML)},
         "<tr><td>%NAME</td><td>%DATE</td></tr>",
         1},
        {"HTML when the text was last made HTML: unchanged, markup or not",
         {"%NAME %SIZE", F::Normal, 1},
         {Click(F::HTML)},
         "%NAME %SIZE",
         1},
        {"Normal when the text was last made normal: unchanged, markup or not",
         {"<tr><td>%NAME</td></tr>", F::HTML, 3},
         {Click(F::Normal)},
         "<tr><td>%NAME</td></tr>",
         3},
        {"cells not made by the conversion are wrapped again",
         {"<tr><td>%NAME</td></tr>", F::Normal, 3},
         {Click(F::HTML)},
         "<tr><tr><td><td>%NAME</td></td></tr></tr>",
         1},
        {"the hidden Table button converts as Normal does",
         {"<tr><td>%NAME</td></tr>", F::HTML, 1},
         {Click(F::Table)},
         "%NAME ",
         3},
        {"without a separator, Semicolon is chosen and replaces the empty joint",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorNone, "'"},
         {Click(F::Delimited)},
         "'%NAME';'%SIZE'",
         2},
        {"without a separator or qualifier the fields stay apart",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorNone, "<none>"},
         {Click(F::Delimited)},
         "%NAME;%SIZE",
         2},
        {"an empty Other: separator keeps the joints",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorSemicolon, "<none>"},
         {Click(F::Delimited), Sep(kSeparatorOther)},
         "%NAME;%SIZE",
         2},
        {"for the text typed next",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorSemicolon, "<none>"},
         {Click(F::Delimited), Sep(kSeparatorOther), Other("|")},
         "%NAME|%SIZE",
         2},
        {"a qualifier alone rewrites nothing",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorSemicolon, "'"},
         {Click(F::Delimited), Qual("\"")},
         "'%NAME';'%SIZE'",
         2},
        {"a new qualifier reaches joints and ends at the next separator change",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorSemicolon, "'"},
         {Click(F::Delimited), Qual("\""), Sep(kSeparatorComma)},
         "\"%NAME\",\"%SIZE\"",
         2},
        {"and going to no qualifier takes them away",
         {"%NAME %SIZE", F::Normal, 3, kSeparatorSemicolon, "'"},
         {Click(F::Delimited), Qual("<none>"), Sep(kSeparatorComma)},
         "%NAME,%SIZE",
         2},
        {"after loading, the joint is unknown: a separator change rewrites nothing",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         {Sep(kSeparatorComma)},
         "'%NAME';'%SIZE'",
         2},
        {"the already selected button does nothing",
         {"%NAME %SIZE", F::Delimited, 3, kSeparatorSemicolon},
         {Click(F::Delimited)},
         "%NAME %SIZE",
         3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPatternForm form;
        Load(form, row.start);
        for (const Step& step : row.steps)
            Apply(form, step);
        EXPECT_EQ(row.after, form.PatternText());
        EXPECT_EQ(row.currentFormat, form.CurrentFormat());
    }
}

TEST(PatternForm, SemicolonChosenByTheDelimitedHandlerRunsItAgain) {
    TPatternForm form;
    Load(form, {"%NAME %SIZE", F::Normal, kFormatNormal, kSeparatorNone, "'"});
    std::vector<std::string> patterns;
    form.Subscribe([&](PatternFormChange change) {
        if (change == PatternFormChange::Pattern) patterns.push_back(form.PatternText());
    });
    form.SelectFormat(F::Delimited);
    EXPECT_EQ((std::vector<std::string>{"'%NAME''%SIZE'", "'%NAME';'%SIZE'"}), patterns);
    EXPECT_EQ(kSeparatorSemicolon, form.SeparatorIndex());
    EXPECT_EQ("';'", form.LastJoint());
    EXPECT_EQ("'LONG FILENAME.EXT';'10 800'", form.Preview());
    EXPECT_TRUE(form.State().separatorControlsEnabled);
}

TEST(PatternForm, ParseEdPatternDerivesBoxesAndFormatWithoutConverting) {
    struct Row {
        const char* name;
        std::string pattern;
        std::string qualifier;
        PatternFormat format;
        int separator;
        std::set<Token> ticked;
    };
    const Row rows[] = {
        {"predefined delimited pattern",
         "%NAME;%SIZE;%DATE",
         "\"",
         F::Delimited,
         kSeparatorSemicolon,
         {Token::NAME, Token::SIZE, Token::DATE}},
        {"predefined HTML pattern",
         std::string(kPredefinedPatterns[6]),
         "\"",
         F::HTML,
         kSeparatorNone,
         {Token::NAME, Token::SIZE, Token::DATE}},
        {"a link to the file with its comment",
         std::string(kPredefinedPatterns[8]),
         "\"",
         F::HTML,
         kSeparatorNone,
         {Token::PATH, Token::NAME, Token::COMM}},
        {"comma", "%NAME,%MP3_TIT", "\"", F::Delimited, kSeparatorComma, {Token::NAME, Token::MP3_TIT}},
        {"first character is the qualifier's",
         "'%NAME' '%SIZE'",
         "'",
         F::Delimited,
         kSeparatorOther,
         {Token::NAME, Token::SIZE}},
        {"an empty qualifier never matches", "%NAME", "", F::Normal, kSeparatorNone, {Token::NAME}},
        {"plain lines; %NUMB. counts as %NUMB",
         "%NUMB. %NAME %IPTC_DAT -- %FILE_VER",
         "\"",
         F::Normal,
         kSeparatorNone,
         {Token::NUMB, Token::NAME, Token::IPTC_DAT, Token::FILE_VER}},
        {"tokens are found by their exact case", "%name %Size", "\"", F::Normal, kSeparatorNone, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPatternForm form;
        Load(form, {"", F::Normal, kFormatNone, kSeparatorNone, row.qualifier});
        form.PatternEdited(row.pattern);
        EXPECT_EQ(row.pattern, form.PatternText());
        EXPECT_EQ(kFormatNone, form.CurrentFormat());
        EXPECT_EQ(row.format, form.SelectedFormat());
        EXPECT_EQ(row.separator, form.SeparatorIndex());
        EXPECT_EQ(row.ticked, TickedBoxes(form));
        EXPECT_EQ(form.Ticked(Token::COMM), form.AutoComments2());
        EXPECT_EQ(form.Ticked(Token::COMM), form.State().commentSourcesEnabled);
        EXPECT_FALSE(form.InUpdate());
    }

    // An empty pattern and a selected "Table" button leave the format alone.
    TPatternForm form;
    Load(form, {"%NAME", F::HTML});
    form.PatternEdited("");
    EXPECT_EQ(F::HTML, form.SelectedFormat());
    Load(form, {"%NAME", F::Table});
    form.PatternEdited("%NAME;%SIZE");
    EXPECT_EQ(F::Table, form.SelectedFormat());
}

TEST(PatternForm, PreviewExpandsTokensWithSamples) {
    struct Row {
        std::string pattern;
        bool kb, lower;
        int digits;
        std::string preview;
    };
    const Row rows[] = {
        {"%NUMB. %NAME", false, false, 3, "001. LONG FILENAME.EXT"},
        {"%PATH%NAME", false, true, 2, "folder/subfolder/long filename.ext"},
        {"%name|%Fnam|%FEXT|%NDOS", false, false, 2, "LONG FILENAME.EXT|LONG FILENAME|EXT|SHORTF~1.EXT"},
        {"%SIZE %DUSG", false, false, 2, "10 800 12 288"},
        {"%SIZE %DUSG", true, false, 2, "10 KB 12 KB"},
        {"<td>%NUMB</td>%DATE %TIME", false, false, 1, "<td>1</td>30.06.2003 12:00:00"},
        {"%CTIM|%ATIM|%ATTR|%COMM", false, false, 2, "01.06.2001 01:02:03|30.12.2003 12:00:00|A|comment"},
        {"%FILE_VER %FILE_NAM %FILE_COM", false, false, 2, "3.2 Tabulo Pro Quenbright Software"},
        {"%MP3_TIT/%MP3_ART/%MP3_ALB/%MP3_YER/%MP3_COM/%MP3_TRK/%MP3_GEN", false, false, 2,
         "Title/Artist/Album/2001/MP3-Comment/1/Genre"},
        {"%IPTC_CAP/%IPTC_HDL/%IPTC_BYL/%IPTC_CRE/%IPTC_OBJ", false, false, 2,
         "Image caption/Image headline/Photographer Name/Credits/Object"},
        {"%IPTC_DAT/%IPTC_CIT/%IPTC_STA/%IPTC_COU/%IPTC_COP", false, false, 2,
         "01.01.2000/Stavanger/NA/Norway/(c) Quenbright Software"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        OptionFlags flags;
        flags.KB = row.kb;
        flags.LowerCase = row.lower;
        const OptionFlagsPreview options(flags);
        TPatternForm form(&options);
        form.SetNumDigits(row.digits);
        form.PatternEdited(row.pattern);
        EXPECT_EQ(row.preview, form.Preview());
    }
}

TEST(PatternForm, GuardKeepsHandlersFromRewritingThePattern) {
    struct Row {
        const char* name;
        Start start;
        std::function<void(TPatternForm&)> change;
    };
    const Row rows[] = {
        {"unticking a box", {"%NAME %SIZE"}, [](TPatternForm& f) { f.SetTicked(Token::SIZE, false); }},
        {"ticking a box", {"%NAME"}, [](TPatternForm& f) { f.SetTicked(Token::DATE, true); }},
        {"ticking AutoComments on its page", {"%NAME"}, [](TPatternForm& f) { f.SetAutoComments2(true); }},
        {"checking HTML", {"%NAME %SIZE"}, [](TPatternForm& f) { f.SelectFormat(F::HTML); }},
        {"checking Delimited list", {"%NAME %SIZE"}, [](TPatternForm& f) { f.SelectFormat(F::Delimited); }},
        {"checking Normal",
         {"<tr><td>%NAME</td></tr>", F::HTML, 1},
         [](TPatternForm& f) { f.SelectFormat(F::Normal); }},
        {"choosing a separator",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorSemicolon, "'"},
         [](TPatternForm& f) { f.SetSeparatorIndex(kSeparatorComma); }},
        {"typing an Other: separator",
         {"'%NAME';'%SIZE'", F::Delimited, 2, kSeparatorOther, "'"},
         [](TPatternForm& f) { f.SetSeparatorText("|"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPatternForm form;
        Load(form, row.start);
        {
            TPatternForm::LoadScope outer(form);
            {
                TPatternForm::LoadScope inner(form);
                row.change(form);
            }
            EXPECT_TRUE(form.InUpdate());
        }
        EXPECT_FALSE(form.InUpdate());
        EXPECT_EQ(row.start.pattern, form.PatternText());
        EXPECT_EQ(row.start.currentFormat, form.CurrentFormat());
        EXPECT_FALSE(form.State().separatorControlsEnabled);
    }

    // The boxes' other reactions happen with the guard on too.
    TPatternForm form;
    {
        TPatternForm::LoadScope guard(form);
        form.SetTicked(Token::NUMB, true);
        form.SetTicked(Token::COMM, true);
        form.SetTicked(Token::IPTC_CAP, true);
    }
    EXPECT_EQ("", form.PatternText());
    EXPECT_TRUE(form.State().numberControlsEnabled);
    EXPECT_TRUE(form.AutoComments2());
    EXPECT_TRUE(form.State().commentSourcesEnabled);
    EXPECT_TRUE(form.State().longCaptionEnabled);
}

TEST(PatternForm, ProgramChangesActAsClicks) {
    TPatternForm form;
    Load(form, {"%NAME"});
    form.SetNumDigits(3);

    // A box whose state does not change runs no handler.
    form.SetTicked(Token::NAME, true);
    EXPECT_EQ("%NAME", form.PatternText());

    // Number: the token goes in, the digit count and "Reset counter" are enabled, the preview
    // follows the digit count; unticking disables them without touching their values.
    form.SetTicked(Token::NUMB, true);
    EXPECT_EQ("%NAME %NUMB", form.PatternText());
    EXPECT_TRUE(form.State().numberControlsEnabled);
    EXPECT_EQ("LONG FILENAME.EXT 001", form.Preview());
    form.SetResetCounter(false);
    form.SetNumDigits(4);
    EXPECT_EQ("LONG FILENAME.EXT 0001", form.Preview());
    form.SetTicked(Token::NUMB, false);
    EXPECT_EQ("%NAME ", form.PatternText());
    EXPECT_FALSE(form.State().numberControlsEnabled);
    EXPECT_EQ(4, form.NumDigits());
    EXPECT_FALSE(form.ResetCounter());

    // The visible AutoComments box sets the hidden one, which puts %COMM in once.
    form.SetAutoComments2(true);
    EXPECT_EQ("%NAME %COMM", form.PatternText());
    EXPECT_TRUE(form.Ticked(Token::COMM));
    EXPECT_TRUE(form.State().commentSourcesEnabled);
    form.SetTicked(Token::COMM, false);
    EXPECT_EQ("%NAME ", form.PatternText());
    EXPECT_FALSE(form.AutoComments2());
    EXPECT_FALSE(form.State().commentSourcesEnabled);

    // The caption box enables the long-caption choice.
    form.SetTicked(Token::IPTC_CAP, true);
    EXPECT_TRUE(form.State().longCaptionEnabled);
    EXPECT_EQ("%NAME %IPTC_CAP", form.PatternText());

    // A twice-written token: unticking takes the first away and the box stays unticked.
    form.PatternEdited("%NAME %SIZE %NAME");
    form.SetTicked(Token::NAME, false);
    EXPECT_EQ("%SIZE %NAME", form.PatternText());
    EXPECT_FALSE(form.Ticked(Token::NAME));

    // Clearing the separator selection is no click; typing an Other: separator is one.
    Load(form, {"%NAME %SIZE", F::Normal, kFormatNormal, kSeparatorOther, "<none>"});
    form.SetSeparatorText("|");
    EXPECT_EQ("%NAME|%SIZE", form.PatternText());
    form.SetSeparatorIndex(kSeparatorNone);
    EXPECT_EQ("%NAME|%SIZE", form.PatternText());
    EXPECT_EQ("", form.getSeparator());
}

TEST(PatternForm, StoredDelimitedFormatKeepsItsControlsDisabledUntilChosenAgain) {
    TPatternForm form;
    Load(form, {"'%NAME';'%SIZE'", F::Delimited, kFormatDelimited, kSeparatorSemicolon, "'"});
    form.SelectFormat(F::Delimited);
    EXPECT_FALSE(form.State().separatorControlsEnabled);
    form.SelectFormat(F::Normal);
    EXPECT_FALSE(form.State().separatorControlsEnabled);
    form.SelectFormat(F::Delimited);
    EXPECT_TRUE(form.State().separatorControlsEnabled);
    EXPECT_EQ("'%NAME';'%SIZE'", form.PatternText());
}

// A settings store that keeps one "\Advanced" group in memory.
class MemoryStore : public PatternFormStore {
  public:
    std::string pattern = "%NAME;%SIZE";
    bool advancedMode = true;
    int loads = 0, saves = 0;
    bool loadGuarded = true;

    void LoadAdvanced(TPatternForm& form) override {
        ++loads;
        loadGuarded = loadGuarded && form.InUpdate();
        form.SetTicked(Token::DATE, true);  // stored, but the pattern has the last word
        form.SetCurrentFormat(kFormatNormal);
        form.SetFormatButton(F::Normal, true);
        form.SetFormatButton(F::Table, false);
        form.SetQualifier("'");
        form.SetPatternText(pattern);
        form.SetAdvancedModeFlag(advancedMode);
    }
    void SaveAdvanced(const TPatternForm& form) override {
        ++saves;
        pattern = form.PatternText();
        advancedMode = form.AdvancedMode();
    }
};

TEST(PatternForm, OkStoresAndCancelRestoresTheStoredState) {
    MemoryStore store;
    TPatternForm form;
    form.SetStore(&store);
    form.FormCreate();
    EXPECT_EQ(1, store.loads);
    EXPECT_TRUE(store.loadGuarded);
    EXPECT_EQ("%NAME;%SIZE", form.PatternText());
    EXPECT_EQ((std::set<Token>{Token::NAME, Token::SIZE}), TickedBoxes(form));
    EXPECT_EQ(F::Delimited, form.SelectedFormat());
    EXPECT_EQ(kFormatNormal, form.CurrentFormat());
    EXPECT_TRUE(form.AdvancedMode());

    // Cancel undoes the edits: boxes, format and pattern come back, with a fresh preview.
    form.SetTicked(Token::FILE_VER, true);
    form.SelectFormat(F::HTML);
    form.btnCancelClick();
    EXPECT_EQ(2, store.loads);
    EXPECT_TRUE(store.loadGuarded);
    EXPECT_EQ("%NAME;%SIZE", form.PatternText());
    EXPECT_FALSE(form.Ticked(Token::FILE_VER));
    EXPECT_EQ(F::Normal, form.SelectedFormat());  // as stored: the store has the last word
    EXPECT_EQ("LONG FILENAME.EXT;10 800", form.Preview());
    EXPECT_FALSE(form.InUpdate());

    // OK stores the state; a later Cancel comes back to it.
    form.SelectFormat(F::HTML);
    const std::string html = "<tr><td>%NAME</td>;<td align=\"right\">%SIZE&nbsp;&nbsp;</td></tr>";
    EXPECT_EQ(html, form.PatternText());
    form.btnOKClick();
    EXPECT_EQ(1, store.saves);
    EXPECT_EQ(html, store.pattern);
    form.SetTicked(Token::NAME, false);
    form.EscapePressed();
    EXPECT_EQ(html, form.PatternText());
    EXPECT_TRUE(form.Ticked(Token::NAME));

    // Without a store, Cancel still returns to the state of creation.
    TPatternForm plain;
    plain.FormCreate();
    plain.SetTicked(Token::ATTR, true);
    plain.btnCancelClick();
    EXPECT_EQ("", plain.PatternText());
    EXPECT_FALSE(plain.Ticked(Token::ATTR));
    EXPECT_FALSE(plain.AdvancedMode());
}

TEST(PatternForm, ViewsAreToldOfChangesUntilTheyUnsubscribe) {
    TPatternForm form;
    std::vector<PatternFormChange> changes;
    const int id = form.Subscribe([&](PatternFormChange c) { changes.push_back(c); });
    form.SetTicked(Token::NAME, true);
    EXPECT_EQ((std::vector<PatternFormChange>{PatternFormChange::Boxes, PatternFormChange::Pattern,
                                              PatternFormChange::Preview}),
              changes);
    form.Unsubscribe(id);
    changes.clear();
    form.SetTicked(Token::SIZE, false);
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace tabulo
