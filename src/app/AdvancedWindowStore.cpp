#include "app/AdvancedWindowStore.h"

#include <utility>

#include "settings/SettingsKey.h"

namespace tabulo {

namespace {

using A = AdvancedSettings;

// The stored field boxes with their tokens, in read order.
constexpr std::pair<bool A::*, Token> kStoredBoxes[] = {
    {&A::cbDate, Token::DATE},         {&A::cbTime, Token::TIME},    {&A::cbSize, Token::SIZE},
    {&A::cbAttr, Token::ATTR},         {&A::cbNameExt, Token::NAME}, {&A::cbName, Token::FNAM},
    {&A::cbExt, Token::FEXT},          {&A::cbPath, Token::PATH},    {&A::cbNum, Token::NUMB},
    {&A::cbAutocomments, Token::COMM},
};

// The stored AutoComments sources, in read order.
constexpr std::pair<bool A::*, CommentSource> kStoredSources[] = {
    {&A::cbZip, CommentSource::Zip},   {&A::cbHTML, CommentSource::HTML},
    {&A::cbMPEG, CommentSource::MPEG}, {&A::cbImage, CommentSource::Image},
    {&A::cbEXE, CommentSource::EXE},   {&A::cbDescript, CommentSource::DescriptIon},
    {&A::cbURL, CommentSource::URL},   {&A::cbLNK, CommentSource::LNK},
};

// The `currentFormat` code of a conversion to this format; -1 for none.
int ConversionCode(PatternFormat format) {
    switch (format) {
        case PatternFormat::Normal:
            return kFormatNormal;
        case PatternFormat::HTML:
            return kFormatHTML;
        case PatternFormat::Delimited:
            return kFormatDelimited;
        default:
            return -1;
    }
}

PatternFormat CheckedFormat(const AdvancedSettings& values) {
    if (values.rbSDV) return PatternFormat::Delimited;
    if (values.rbNormal) return PatternFormat::Normal;
    if (values.rbHTML) return PatternFormat::HTML;
    if (values.rbTable) return PatternFormat::Table;
    return PatternFormat::None;
}

}  // namespace

AdvancedSettings StoredValuesOf(const TPatternForm& form) {
    AdvancedSettings v;
    v.ActivePattern = form.PatternText();
    v.AdvancedMode = form.AdvancedMode();
    v.cbHidden = form.HiddenFiles();
    for (const auto& [member, token] : kStoredBoxes)
        v.*member = form.Ticked(token);
    v.NumDigits = form.NumDigits();
    v.currentFormat = form.CurrentFormat();
    v.rbNormal = form.FormatButton(PatternFormat::Normal);
    v.rbHTML = form.FormatButton(PatternFormat::HTML);
    v.rbSDV = form.FormatButton(PatternFormat::Delimited);
    v.rbTable = form.FormatButton(PatternFormat::Table);
    v.Separator = form.SeparatorIndex();
    v.Qualifier = form.Qualifier();
    for (const auto& [member, source] : kStoredSources)
        v.*member = form.Source(source);
    v.MaxLengthComment = form.MaxLengthComment();
    v.LongCaption = form.LongCaption();
    v.MaxCaptionLength = form.MaxCaptionLength();
    return v;
}

void SetStoredValues(TPatternForm& form, const AdvancedSettings& v) {
    form.SetHiddenFiles(v.cbHidden);
    for (const auto& [member, token] : kStoredBoxes)
        form.SetTicked(token, v.*member);
    form.SetNumDigits(v.NumDigits);
    form.SetCurrentFormat(v.currentFormat);
    form.SetSeparatorIndex(v.Separator);
    // The format buttons exclude each other: the one left checked is selected, or none.
    if (const PatternFormat checked = CheckedFormat(v); checked != PatternFormat::None) {
        form.SelectFormat(checked);
    } else {
        form.SetFormatButton(form.SelectedFormat(), false);
    }
    form.SetQualifier(v.Qualifier);
    for (const auto& [member, source] : kStoredSources)
        form.SetSource(source, v.*member);
    form.SetMaxLengthComment(v.MaxLengthComment);
    form.SetPatternText(v.ActivePattern);
    form.SetAdvancedModeFlag(v.AdvancedMode);
    form.SetMaxCaptionLength(v.MaxCaptionLength);
    form.SetLongCaption(v.LongCaption);
}

void LoadAdvancedGroup(SettingsStore& store, std::string_view profile, TPatternForm& form) {
    // Values the reading does not reach keep what the window shows.
    AdvancedSettings values = StoredValuesOf(form);
    LoadAdvancedSettings(store, profile, values);
    const TPatternForm::LoadScope guard(form);
    SetStoredValues(form, values);
}

void AdvancedWindowStore::LoadAdvanced(TPatternForm& form) {
    if (store_) LoadAdvancedGroup(*store_, {}, form);
}

void AdvancedWindowStore::SaveAdvanced(const TPatternForm& form) {
    if (store_) SaveAdvancedSettings(*store_, {}, StoredValuesOf(form));
}

void AdvancedWindowStore::LoadAdvanced(SettingsStore& store, std::string_view profile) {
    LoadAdvancedGroup(store, profile, form_);
    const PatternFormat storedFormat = form_.SelectedFormat();
    const int storedSeparator = form_.SeparatorIndex();
    form_.ParseEdPattern();
    // Detection cannot tell every format from the text (fields joined by blanks or by an
    // "Other:" separator without a qualifier look like plain lines; a plain line may hold a ";").
    // A pattern that was last converted to the stored format keeps that format and separator.
    if (ConversionCode(storedFormat) == form_.CurrentFormat()) {
        const TPatternForm::LoadScope guard(form_);
        form_.SelectFormat(storedFormat);
        form_.SetSeparatorIndex(storedSeparator);
    }
    form_.TakeSnapshot();
}

void AdvancedWindowStore::SaveAdvanced(SettingsStore& store, std::string_view profile) {
    SaveAdvancedSettings(store, profile, StoredValuesOf(form_));
}

}  // namespace tabulo
