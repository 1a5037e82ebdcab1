#include "format/PatternForm.h"

#include <algorithm>

namespace tabulo {

namespace {

constexpr std::string_view kFileinfo = "Include fileinfo";
constexpr std::string_view kFiletime = "Include filetime";
constexpr std::string_view kIptc = "IPTC-info";
constexpr std::string_view kMp3 = "MP3-info (ID3)";

// The order in which ParseEdPattern sets the boxes.
constexpr std::array<Token, kTokenCount> kParseOrder{
    Token::NAME,     Token::DATE,     Token::SIZE,     Token::TIME,     Token::ATTR,     Token::NUMB,
    Token::FNAM,     Token::PATH,     Token::FEXT,     Token::COMM,     Token::NDOS,     Token::DUSG,
    Token::ATIM,     Token::CTIM,     Token::IPTC_CAP, Token::IPTC_HDL, Token::IPTC_BYL, Token::IPTC_CRE,
    Token::IPTC_OBJ, Token::IPTC_DAT, Token::IPTC_COP, Token::IPTC_CIT, Token::IPTC_STA, Token::IPTC_COU,
    Token::MP3_TIT,  Token::MP3_ART,  Token::MP3_ALB,  Token::MP3_YER,  Token::MP3_COM,  Token::MP3_GEN,
    Token::MP3_TRK,  Token::FILE_VER, Token::FILE_NAM, Token::FILE_COM,
};

}  // namespace

const std::array<TokenBoxInfo, kTokenCount> kTokenBoxes{{
    {Token::NAME, "cbInclNameExt", "Filename.Ext (%NAME)", kFileinfo},
    {Token::SIZE, "cbInclSize", "Size (%SIZE)", kFileinfo},
    {Token::DUSG, "cbInclDiskUsage", "Disk usage (%DUSG)", kFileinfo},
    {Token::DATE, "cbInclDate", "Date (%DATE)", kFiletime},
    {Token::TIME, "cbInclTime", "Time (%TIME)", kFiletime},
    {Token::ATTR, "cbAttr", "Attributes (%ATTR)", kFileinfo},
    {Token::NUMB, "cbNumber", "Number (%NUMB)", kFileinfo},
    {Token::FNAM, "cbInclName", "Filename (%FNAM)", kFileinfo},
    {Token::NDOS, "cbInclDosName", "DOS (8.3) filename (%NDOS)", kFileinfo},
    {Token::CTIM, "cbCreatedTime", "Created time and date (%CTIM)", kFiletime},
    {Token::ATIM, "cbAccessedTime", "Accessed time and date (%ATIM)", kFiletime},
    {Token::FEXT, "cbInclExtension", "Extension (%FEXT)", kFileinfo},
    {Token::PATH, "cbInclPath", "Path (%PATH)", kFileinfo},
    {Token::COMM, "cbAutoComments", "AutoComments (%COMM)", kFileinfo},
    {Token::FILE_VER, "cbFileVer", "Product version (%FILE_VER)", kFileinfo},
    {Token::FILE_NAM, "cbFileProdname", "Product name (%FILE_NAM)", kFileinfo},
    {Token::FILE_COM, "cbFileCompany", "Company name (%FILE_COM)", kFileinfo},
    {Token::MP3_TIT, "cbMP3_title", "Title (%MP3_TIT)", kMp3},
    {Token::MP3_ART, "cbMP3_artist", "Artist (%MP3_ART)", kMp3},
    {Token::MP3_ALB, "cbMP3_album", "Album (%MP3_ALB)", kMp3},
    {Token::MP3_YER, "cbMP3_year", "Year (%MP3_YER)", kMp3},
    {Token::MP3_COM, "cbMP3_comment", "Comment (%MP3_COM)", kMp3},
    {Token::MP3_GEN, "cbMP3_genre", "Genre (%MP3_GEN)", kMp3},
    {Token::MP3_TRK, "cbMP3_track", "Track# (%MP3_TRK)", kMp3},
    {Token::IPTC_CAP, "cbIPTC_caption", "Caption (%IPTC_CAP)", kIptc},
    {Token::IPTC_HDL, "cbIPTC_headline", "Headline (%IPTC_HDL)", kIptc},
    {Token::IPTC_BYL, "cbIPTC_byline", "Byline (%IPTC_BYL)", kIptc},
    {Token::IPTC_CRE, "cbIPTC_credit", "Credit (%IPTC_CRE)", kIptc},
    {Token::IPTC_OBJ, "cbIPTC_object", "Object (%IPTC_OBJ)", kIptc},
    {Token::IPTC_DAT, "cbIPTC_date", "Date (%IPTC_DAT)", kIptc},
    {Token::IPTC_CIT, "cbIPTC_city", "City (%IPTC_CIT)", kIptc},
    {Token::IPTC_STA, "cbIPTC_state", "State (%IPTC_STA)", kIptc},
    {Token::IPTC_COU, "cbIPTC_country", "Country (%IPTC_COU)", kIptc},
    {Token::IPTC_COP, "cbIPTC_copyright", "Copyright (%IPTC_COP)", kIptc},
}};

const std::array<CommentSourceInfo, kCommentSourceCount> kCommentSources{{
    {CommentSource::Zip, "cbZipFiles", "Zip archives (*.zip)"},
    {CommentSource::HTML, "cbHTMLFiles", "Hypertext documents"},
    {CommentSource::MPEG, "cbMPEGfiles", "MPEG audio files (*.mpg *.mp2 *.mp3)"},
    {CommentSource::Image, "cbImageFiles", "Image files (*.tif *.jpg *.psd)"},
    {CommentSource::EXE, "cbEXEfiles", "EXE and DLL files"},
    {CommentSource::DescriptIon, "cbDescriptIon", "Read descript.ion"},
    {CommentSource::URL, "cbURLfiles", "Favorites (*.url)"},
    {CommentSource::LNK, "cbLNKFiles", "Shortcuts (*.lnk)"},
}};

const std::array<std::string_view, 13> kPredefinedPatterns{
    "%NUMB. %NAME %SIZE %DATE",
    "%NUMB. %NAME",
    "%NAME %SIZE %DATE",
    "%PATH%NAME",
    "COPY %NAME A:",
    "%NAME;%SIZE;%DATE",
    "<tr><td>%NAME</td><td>%SIZE</td><td>%DATE</td></tr>",
    "%NAME %SIZE %DATE %FILE_NAM %FILE_VER",
    "<tr><td><a href=\"%PATH\\%NAME\">%COMM</a></td></tr>",
    "<tr><td><a href=\"%NAME\">%COMM</a></td></tr>",
    "%MP3_TIT %MP3_ART %MP3_ALB",
    "%NAME -- %IPTC_DAT: %IPTC_HDL -- %IPTC_CRE",
    "%NAME %FILE_NAM %FILE_VER",
};

std::string TPatternForm::getSeparator() const {
    return SeparatorOf(state_.separatorIndex, state_.separatorText);
}

// --- Changes ---

void TPatternForm::SetTicked(Token token, bool ticked) {
    if (Ticked(token) == ticked) return;
    TickedRef(token) = ticked;
    Notify(PatternFormChange::Boxes);
    FieldBoxClick(token);
}

void TPatternForm::SetAutoComments2(bool ticked) {
    if (state_.autoComments2 == ticked) return;
    state_.autoComments2 = ticked;
    Notify(PatternFormChange::Boxes);
    cbAutoComments2Click();
}

void TPatternForm::SetHiddenFiles(bool ticked) {
    if (state_.hiddenFiles == ticked) return;
    state_.hiddenFiles = ticked;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SetResetCounter(bool ticked) {
    if (state_.resetCounter == ticked) return;
    state_.resetCounter = ticked;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SetNumDigits(int digits) {
    digits = std::clamp(digits, 1, 9);
    if (state_.numDigits == digits) return;
    state_.numDigits = digits;
    Notify(PatternFormChange::Boxes);
    NumDigitsChange();
}

void TPatternForm::SetSource(CommentSource source, bool ticked) {
    bool& box = state_.sources[static_cast<std::size_t>(source)];
    if (box == ticked) return;
    box = ticked;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SetMaxLengthComment(int length) {
    length = std::clamp(length, 8, 255);
    if (state_.maxLengthComment == length) return;
    state_.maxLengthComment = length;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SetLongCaption(int index) {
    index = std::clamp(index, -1, 2);
    if (state_.longCaption == index) return;
    state_.longCaption = index;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SetMaxCaptionLength(int length) {
    length = std::clamp(length, 8, 255);
    if (state_.maxCaptionLength == length) return;
    state_.maxCaptionLength = length;
    Notify(PatternFormChange::Boxes);
}

void TPatternForm::SelectFormat(PatternFormat format) {
    if (state_.format == format) return;
    state_.format = format;
    Notify(PatternFormChange::Format);
    switch (format) {
        case PatternFormat::Normal:
        case PatternFormat::Table:
            rbFormatNormalClick();
            break;
        case PatternFormat::HTML:
            rbFormatHTMLClick();
            break;
        case PatternFormat::Delimited:
            rbFormatSDVClick();
            break;
        case PatternFormat::None:
            break;
    }
}

void TPatternForm::SetFormatButton(PatternFormat format, bool checked) {
    if (checked) {
        SelectFormat(format);
    } else if (state_.format == format && format != PatternFormat::None) {
        state_.format = PatternFormat::None;
        Notify(PatternFormChange::Format);
    }
}

void TPatternForm::SetSeparatorIndex(int index) {
    index = std::clamp(index, kSeparatorNone, kSeparatorOther);
    if (state_.separatorIndex == index) return;
    state_.separatorIndex = index;
    Notify(PatternFormChange::Format);
    // Selecting an item is a click on the group; clearing the selection is not.
    if (index != kSeparatorNone) rbFormatSDVClick();
}

void TPatternForm::SetSeparatorText(std::string text) {
    if (state_.separatorText == text) return;
    state_.separatorText = std::move(text);
    Notify(PatternFormChange::Format);
    rbFormatSDVClick();
}

void TPatternForm::SetQualifier(std::string text) {
    if (state_.qualifier == text) return;
    state_.qualifier = std::move(text);
    Notify(PatternFormChange::Format);
}

void TPatternForm::SetPatternText(std::string text) {
    WritePattern(std::move(text));
}

void TPatternForm::PatternEdited(std::string text) {
    if (state_.pattern == text) return;
    WritePattern(std::move(text));
    ParseEdPattern();
}

void TPatternForm::SetCurrentFormat(int code) {
    if (state_.currentFormat == code) return;
    state_.currentFormat = code;
    Notify(PatternFormChange::Format);
}

void TPatternForm::SetAdvancedModeFlag(bool on) {
    if (state_.advancedMode == on) return;
    state_.advancedMode = on;
    Notify(PatternFormChange::AdvancedMode);
}

// --- Handlers ---

void TPatternForm::ToggleToken(std::string_view token, bool ticked) {
    WritePattern(ToggleTokenText(state_.pattern, token, ticked, state_.format, getSeparator(), state_.qualifier));
    RefreshPreview();
}

void TPatternForm::ParseEdPattern() {
    {
        LoadScope guard(*this);
        const std::string& p = state_.pattern;
        for (Token t : kParseOrder)
            SetTicked(t, p.find(TokenText(t)) != std::string::npos);
        SetAutoComments2(Ticked(Token::COMM));
        EnableAutoComments();
        // Detection moves the buttons and the separator only; the text and currentFormat stay.
        if (!p.empty() && state_.format != PatternFormat::Table) {
            const DetectedFormat detected = DetectFormat(p, state_.qualifier);
            SelectFormat(detected.format);
            if (detected.separatorIndex != kSeparatorNone) SetSeparatorIndex(detected.separatorIndex);
        }
    }
    RefreshPreview();
}

std::string TPatternForm::ParseLine(std::string_view pattern) const {
    const bool kb = options_ && options_->SizesAsKB();
    const bool lower = options_ && options_->LowerCase();
    return PreviewLine(pattern, kb, lower, state_.numDigits);
}

void TPatternForm::EnableAutoComments() {
    const bool on = Ticked(Token::COMM);
    if (state_.commentSourcesEnabled == on) return;
    state_.commentSourcesEnabled = on;
    Notify(PatternFormChange::Enabled);
}

void TPatternForm::rbFormatNormalClick() {
    if (inUpdate_) return;
    WritePattern(ConvertToNormal(state_.pattern, state_.currentFormat));
    SetCurrentFormat(kFormatNormal);
    state_.separatorControlsEnabled = false;
    Notify(PatternFormChange::Enabled);
    RefreshPreview();
}

void TPatternForm::rbFormatHTMLClick() {
    if (inUpdate_) return;
    if (state_.currentFormat != kFormatHTML) {
        WritePattern(ConvertToHTML(state_.pattern, state_.currentFormat, getSeparator()));
        SetCurrentFormat(kFormatHTML);
    }
    state_.separatorControlsEnabled = false;
    Notify(PatternFormChange::Enabled);
    RefreshPreview();
}

void TPatternForm::rbFormatSDVClick() {
    if (inUpdate_) return;
    WritePattern(
        ConvertToDelimited(state_.pattern, state_.currentFormat, getSeparator(), state_.qualifier, state_.lastJoint));
    SetCurrentFormat(kFormatDelimited);
    state_.separatorControlsEnabled = true;
    Notify(PatternFormChange::Enabled);
    // Selecting Semicolon is a click on the group: this handler runs again and puts the
    // Semicolon joint where the empty one stands.
    if (state_.separatorIndex == kSeparatorNone) SetSeparatorIndex(kSeparatorSemicolon);
    RefreshPreview();
}

void TPatternForm::NumDigitsChange() {
    RefreshPreview();
}

void TPatternForm::FieldBoxClick(Token token) {
    if (!inUpdate_) ToggleToken(TokenText(token), Ticked(token));
    switch (token) {
        case Token::NUMB:
            cbNumberClick();
            break;
        case Token::COMM:
            cbAutoCommentsClick();
            break;
        case Token::IPTC_CAP:
            cbIPTC_captionClick();
            break;
        default:
            break;
    }
}

void TPatternForm::cbNumberClick() {
    const bool on = Ticked(Token::NUMB);
    if (state_.numberControlsEnabled == on) return;
    state_.numberControlsEnabled = on;
    Notify(PatternFormChange::Enabled);
}

void TPatternForm::cbAutoCommentsClick() {
    SetAutoComments2(Ticked(Token::COMM));
    EnableAutoComments();
}

void TPatternForm::cbAutoComments2Click() {
    SetTicked(Token::COMM, state_.autoComments2);
    EnableAutoComments();
}

void TPatternForm::cbIPTC_captionClick() {
    const bool on = Ticked(Token::IPTC_CAP);
    if (state_.longCaptionEnabled == on) return;
    state_.longCaptionEnabled = on;
    Notify(PatternFormChange::Enabled);
}

// --- Life cycle ---

void TPatternForm::FormCreate() {
    if (store_) {
        LoadScope guard(*this);
        store_->LoadAdvanced(*this);
    }
    ParseEdPattern();
    TakeSnapshot();
}

void TPatternForm::btnOKClick() {
    SetAdvancedModeFlag(true);
    TakeSnapshot();
    if (store_) store_->SaveAdvanced(*this);
}

void TPatternForm::btnCancelClick() {
    {
        LoadScope guard(*this);
        state_ = snapshot_;
        using C = PatternFormChange;
        for (C change : {C::Pattern, C::Boxes, C::Format, C::Enabled, C::AdvancedMode}) {
            Notify(change);
        }
        if (store_) store_->LoadAdvanced(*this);
    }
    RefreshPreview();
}

// --- Notifications ---

int TPatternForm::Subscribe(std::function<void(PatternFormChange)> listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void TPatternForm::Unsubscribe(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TPatternForm::WritePattern(std::string text) {
    if (state_.pattern == text) return;
    state_.pattern = std::move(text);
    Notify(PatternFormChange::Pattern);
}

void TPatternForm::RefreshPreview() {
    std::string preview = ParseLine(state_.pattern);
    if (state_.preview == preview) return;
    state_.preview = std::move(preview);
    Notify(PatternFormChange::Preview);
}

void TPatternForm::Notify(PatternFormChange change) {
    // A listener may subscribe or unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(change);
}

}  // namespace tabulo
