#include "app/ModeModel.h"

#include "engine/ListingRun.h"
#include "format/Tokens.h"

namespace tabulo {

ModeModel::ModeModel(ListSettings& settings, TPatternForm& advanced)
    : settings_(settings), advanced_(advanced), timeEnabled_(settings.IncludeDate) {
    SetSimpleMode();
}

void ModeModel::SetInclDate(bool ticked) {
    if (settings_.IncludeDate == ticked) return;
    settings_.IncludeDate = ticked;
    Notify(ModeChange::IncludeBoxes);
    cbInclDateClick();
}

void ModeModel::SetInclTime(bool ticked) {
    if (settings_.IncludeTime == ticked) return;
    settings_.IncludeTime = ticked;
    Notify(ModeChange::IncludeBoxes);
}

void ModeModel::SetInclSize(bool ticked) {
    if (settings_.IncludeSize == ticked) return;
    settings_.IncludeSize = ticked;
    Notify(ModeChange::IncludeBoxes);
}

void ModeModel::SetAttr(bool ticked) {
    if (settings_.IncludeAttr == ticked) return;
    settings_.IncludeAttr = ticked;
    Notify(ModeChange::IncludeBoxes);
}

void ModeModel::cbInclDateClick() {
    if (timeEnabled_ == settings_.IncludeDate) return;
    timeEnabled_ = settings_.IncludeDate;
    Notify(ModeChange::IncludeBoxes);
}

void ModeModel::SetPatternText(std::string text) {
    if (edPattern_ == text) return;
    edPattern_ = std::move(text);
    Notify(ModeChange::Pattern);
}

std::string ModeModel::MakePattern() const {
    return tabulo::MakePattern(settings_.IncludeSize, settings_.IncludeDate, settings_.IncludeTime,
                               settings_.IncludeAttr);
}

void ModeModel::SetAdvancedMode() {
    settings_.AdvancedMode = true;
    Notify(ModeChange::Mode);
    SetPatternText(advanced_.PatternText());
    settings_.IncludeAllFiles = advanced_.HiddenFiles();
    // The line formatter reads these boxes of the main window.
    SetInclSize(advanced_.Ticked(Token::SIZE));
    SetInclDate(advanced_.Ticked(Token::DATE));
    SetInclTime(advanced_.Ticked(Token::TIME));
    SetAttr(advanced_.Ticked(Token::ATTR));

    // No checked button (or the hidden "Table", whose handler is Normal's) writes plain lines.
    const PatternFormat format = advanced_.SelectedFormat();
    const bool html = format == PatternFormat::HTML;
    const bool delimited = format == PatternFormat::Delimited;
    const bool normal = !html && !delimited;
    settings_.FixedColumns = normal || (delimited && advanced_.Qualifier() == kNoQualifier);
    settings_.UseFileTimes = advanced_.Ticked(Token::CTIM) || advanced_.Ticked(Token::ATIM);
    settings_.rbNormal = normal;
    settings_.rbHTML = html;
    settings_.rbSDV = delimited;
    settings_.TextQualifier =
        delimited && advanced_.Qualifier() != kNoQualifier ? advanced_.Qualifier() : std::string();

    // Case-sensitive tests on the pattern box, just after it took the Advanced window's pattern.
    const auto contains = [this](std::string_view text) { return edPattern_.find(text) != std::string::npos; };
    const bool file = contains("%FILE");
    const bool iptc = contains("%IPTC");
    const bool mp3 = contains("%MP3");
    settings_.cbEXE = advanced_.Source(CommentSource::EXE) || file;
    settings_.cbZip = advanced_.Source(CommentSource::Zip);
    settings_.cbHTML = advanced_.Source(CommentSource::HTML);
    settings_.cbImage = advanced_.Source(CommentSource::Image) || iptc;
    settings_.cbMPEG = advanced_.Source(CommentSource::MPEG) || mp3;
    settings_.cbURL = advanced_.Source(CommentSource::URL);
    settings_.cbLNK = advanced_.Source(CommentSource::LNK);
    settings_.UseAutoComments = advanced_.Ticked(Token::COMM) || file || iptc || mp3;
    settings_.LongCaption = advanced_.LongCaption();
    settings_.MaxCaptionLength = advanced_.MaxCaptionLength();
}

void ModeModel::SetSimpleMode() {
    settings_.AdvancedMode = false;
    settings_.FixedColumns = true;
    settings_.UseAutoComments = false;
    settings_.rbNormal = true;
    settings_.rbHTML = false;
    settings_.rbSDV = false;
    settings_.TextQualifier.clear();
    Notify(ModeChange::Mode);
}

void ModeModel::btnAdvancedClick(const ShowAdvanced& show) {
    // Program changes with the guard off: each changed box edits the Advanced window's pattern,
    // which the simple pattern then replaces.
    advanced_.SetHiddenFiles(settings_.IncludeAllFiles);
    advanced_.SetTicked(Token::SIZE, settings_.IncludeSize);
    advanced_.SetTicked(Token::DATE, settings_.IncludeDate);
    advanced_.SetTicked(Token::TIME, settings_.IncludeTime);
    advanced_.SetTicked(Token::NAME, true);
    advanced_.SetTicked(Token::ATTR, settings_.IncludeAttr);
    advanced_.SetResetCounter(settings_.ListOptions.ResetCounter);
    advanced_.SetPatternText(MakePattern());
    // The simple pattern is one of plain lines: every box, the format and the preview follow it,
    // so a format chosen next converts it from Normal.
    advanced_.ParseEdPattern();
    {
        TPatternForm::LoadScope guard(advanced_);
        advanced_.SelectFormat(PatternFormat::Normal);
    }
    advanced_.SetCurrentFormat(kFormatNormal);
    advanced_.rbFormatNormalClick();

    if (show(advanced_) == ModalResult::Ok) {
        SetAdvancedMode();
        TakeResetCounter();
    }
}

void ModeModel::btnEditAdvancedClick(const ShowAdvanced& show) {
    advanced_.SetPatternText(edPattern_);
    advanced_.SetResetCounter(settings_.ListOptions.ResetCounter);
    advanced_.ParseEdPattern();
    if (show(advanced_) == ModalResult::Ok) {
        SetAdvancedMode();
        TakeResetCounter();
    }
}

void ModeModel::btnSimpleClick() {
    SetSimpleMode();
    advanced_.SetAdvancedModeFlag(false);
}

void ModeModel::CreateAdvancedForm() {
    advanced_.FormCreate();
    if (advanced_.AdvancedMode()) SetAdvancedMode();
}

void ModeModel::FollowAdvancedFlag() {
    if (advanced_.AdvancedMode())
        SetAdvancedMode();
    else
        SetSimpleMode();
}

void ModeModel::PrepareRun() {
    if (!AdvancedMode()) SetPatternText(MakePattern());
    settings_.ActivePattern = edPattern_;
    ListingRun::FixPattern(settings_);
    SetPatternText(settings_.ActivePattern);
    settings_.NumDigits = advanced_.NumDigits();
    settings_.MaxLengthComment = advanced_.MaxLengthComment();
    settings_.cbDescript = advanced_.Source(CommentSource::DescriptIon);
    settings_.FormatSDV = advanced_.SelectedFormat() == PatternFormat::Delimited;
}

int ModeModel::Subscribe(std::function<void(ModeChange)> listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void ModeModel::Unsubscribe(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void ModeModel::TakeResetCounter() {
    settings_.ListOptions.ResetCounter = advanced_.ResetCounter();
}

void ModeModel::Notify(ModeChange change) {
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(change);
}

}  // namespace tabulo
