#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/OptionFlags.h"
#include "format/PatternText.h"
#include "format/Tokens.h"

namespace tabulo {

// The Options window's boxes that the preview line reads, as they stand when it is made.
class PreviewOptions {
  public:
    virtual ~PreviewOptions() = default;
    virtual bool SizesAsKB() const = 0;  // "Sizes as KB"
    virtual bool LowerCase() const = 0;  // "All names as lowercase"
};

// Preview options read from an option record, for front ends without an Options window.
class OptionFlagsPreview final : public PreviewOptions {
  public:
    explicit OptionFlagsPreview(const OptionFlags& flags) : flags_(flags) {}
    bool SizesAsKB() const override { return flags_.KB; }
    bool LowerCase() const override { return flags_.LowerCase; }

  private:
    const OptionFlags& flags_;
};

// One field check box of the Advanced window: its token, control name, caption and page.
struct TokenBoxInfo {
    Token token;
    std::string_view control;
    std::string_view caption;
    std::string_view page;
};
// The 34 field boxes, in the order of Token.
extern const std::array<TokenBoxInfo, kTokenCount> kTokenBoxes;

// The AutoComments sources of the "AutoComments" page.
enum class CommentSource { Zip, HTML, MPEG, Image, EXE, DescriptIon, URL, LNK };
inline constexpr std::size_t kCommentSourceCount = 8;
struct CommentSourceInfo {
    CommentSource source;
    std::string_view control;
    std::string_view caption;
};
extern const std::array<CommentSourceInfo, kCommentSourceCount> kCommentSources;

// The pattern box's list of predefined patterns, in order.
extern const std::array<std::string_view, 13> kPredefinedPatterns;

// How a modal window was closed.
enum class ModalResult { Ok, Cancel };

// Everything the Advanced window shows and keeps. Defaults are the window's design state.
struct PatternFormState {
    std::string pattern;                     // edPattern
    std::array<bool, kTokenCount> ticked{};  // field boxes, by Token (%COMM: cbAutoComments)
    bool autoComments2 = false;              // cbAutoComments2, the visible mirror of cbAutoComments
    bool hiddenFiles = false;                // cbInclAllFiles "Hidden and system files"
    bool resetCounter = true;                // cbResetCounter "Reset counter for each folder"
    int numDigits = 2;                       // NumDigits, 1..9
    std::array<bool, kCommentSourceCount> sources{true, true, true, false, false, false, false, false};
    int maxLengthComment = 30;                     // seMaxLength of the AutoComments page, 8..255
    int longCaption = 2;                           // rgLongCaption, -1 (none) .. 2
    int maxCaptionLength = 30;                     // seMaxCaptionLength, 8..255
    PatternFormat format = PatternFormat::Normal;  // the checked format button
    int separatorIndex = kSeparatorNone;           // rgSeparator, -1..3
    std::string separatorText;                     // edSeparator
    std::string qualifier = "\"";                  // cbQualifier
    int currentFormat = kFormatNone;
    JointMemory lastJoint;
    bool advancedMode = false;
    std::string preview = " ";  // labelPreview

    // Enabled states of the controls that handlers enable and disable.
    bool numberControlsEnabled = false;     // NumDigits and cbResetCounter
    bool longCaptionEnabled = false;        // rgLongCaption
    bool commentSourcesEnabled = false;     // the source boxes, "Max column size:" and seMaxLength
    bool separatorControlsEnabled = false;  // rgSeparator, edSeparator, cbQualifier

    PatternFormState() {
        ticked[static_cast<std::size_t>(Token::SIZE)] = true;
        ticked[static_cast<std::size_t>(Token::DATE)] = true;
    }
};

// What a notification says has changed, so a view refreshes only that part.
enum class PatternFormChange { Pattern, Boxes, Format, Enabled, Preview, AdvancedMode };

class TPatternForm;

// The settings store's side of the Advanced window: reads the stored "\Advanced" group into the
// form (inside a TPatternForm::LoadScope, so no handler rewrites the pattern) and writes it.
class PatternFormStore {
  public:
    virtual ~PatternFormStore() = default;
    virtual void LoadAdvanced(TPatternForm& form) = 0;
    virtual void SaveAdvanced(const TPatternForm& form) = 0;
};

// The Advanced window ("TPatternForm") as a model: the pattern text, the field boxes that put
// their tokens in and take them out, the format buttons that convert the text, the AutoComments
// and caption choices, and the preview line.
//
// Changes made through the setters act as the user's clicks do: a box's handler runs when its
// state changes, a radio button's when it becomes checked, the separator group's when another
// item becomes selected, edSeparator's when its text changes. While `inUpdate` is set (during
// ParseEdPattern and inside a LoadScope) no handler rewrites the pattern; the handlers' other
// effects (enabling controls, mirroring the AutoComments box) still happen.
//
// Settings store:
//  - LoadAdvanced opens a LoadScope and sets every stored value of the "\Advanced" group through
//    the setters; SaveAdvanced reads the getters. Value: getter / setter.
//      ActivePattern: PatternText / SetPatternText        AdvancedMode: AdvancedMode / SetAdvancedModeFlag
//      cbHidden: HiddenFiles / SetHiddenFiles             NumDigits: NumDigits / SetNumDigits
//      cbDate cbTime cbSize cbAttr cbNameExt cbName cbExt cbPath cbNum cbAutocomments:
//        Ticked / SetTicked with DATE TIME SIZE ATTR NAME FNAM FEXT PATH NUMB COMM
//      currentFormat: CurrentFormat / SetCurrentFormat
//      rbNormal rbHTML rbSDV rbTable: FormatButton / SetFormatButton (loading unchecks Table)
//      Separator: SeparatorIndex / SetSeparatorIndex      Qualifier: Qualifier / SetQualifier
//      cbZip cbHTML cbMPEG cbImage cbEXE cbDescript cbURL cbLNK: Source / SetSource
//      MaxLengthComment, LongCaption, MaxCaptionLength: the getters and setters of those names
//  - FormCreate runs the store's load, ParseEdPattern and takes the snapshot that Cancel and Esc
//    restore; btnOKClick takes a new snapshot and runs the store's save. Cancel restores the
//    snapshot and then runs the store's load, so the store has the last word where it holds a
//    value.
//  - After loading a profile: ParseEdPattern, then the main window's mode follows AdvancedMode()
//    (ModeModel::FollowAdvancedFlag).
class TPatternForm {
  public:
    explicit TPatternForm(const PreviewOptions* options = nullptr) : options_(options) {}
    TPatternForm(const TPatternForm&) = delete;
    TPatternForm& operator=(const TPatternForm&) = delete;

    void SetStore(PatternFormStore* store) { store_ = store; }
    void SetPreviewOptions(const PreviewOptions* options) { options_ = options; }

    // Sets `inUpdate` for its lifetime (scopes nest), for loading values without side effects on
    // the pattern.
    class LoadScope {
      public:
        explicit LoadScope(TPatternForm& form) : form_(form), previous_(form.inUpdate_) { form.inUpdate_ = true; }
        ~LoadScope() { form_.inUpdate_ = previous_; }
        LoadScope(const LoadScope&) = delete;
        LoadScope& operator=(const LoadScope&) = delete;

      private:
        TPatternForm& form_;
        bool previous_;
    };

    // --- State ---
    const PatternFormState& State() const { return state_; }
    const std::string& PatternText() const { return state_.pattern; }
    bool Ticked(Token token) const { return state_.ticked[static_cast<std::size_t>(token)]; }
    bool AutoComments2() const { return state_.autoComments2; }
    bool HiddenFiles() const { return state_.hiddenFiles; }
    bool ResetCounter() const { return state_.resetCounter; }
    int NumDigits() const { return state_.numDigits; }
    bool Source(CommentSource source) const { return state_.sources[static_cast<std::size_t>(source)]; }
    int MaxLengthComment() const { return state_.maxLengthComment; }
    int LongCaption() const { return state_.longCaption; }
    int MaxCaptionLength() const { return state_.maxCaptionLength; }
    PatternFormat SelectedFormat() const { return state_.format; }
    bool FormatButton(PatternFormat format) const { return state_.format == format; }
    int SeparatorIndex() const { return state_.separatorIndex; }
    const std::string& SeparatorText() const { return state_.separatorText; }
    const std::string& Qualifier() const { return state_.qualifier; }
    int CurrentFormat() const { return state_.currentFormat; }
    const std::string& LastJoint() const { return state_.lastJoint.joint; }
    bool AdvancedMode() const { return state_.advancedMode; }
    bool InUpdate() const { return inUpdate_; }
    const std::string& Preview() const { return state_.preview; }  // labelPreview

    // The current separator: that of the selected item, edSeparator's text for "Other:", empty
    // without a selection.
    std::string getSeparator() const;

    // --- Changes, each acting as the user's click or edit ---
    void SetTicked(Token token, bool ticked);
    void SetAutoComments2(bool ticked);
    void SetHiddenFiles(bool ticked);
    void SetResetCounter(bool ticked);
    void SetNumDigits(int digits);  // clamped to 1..9; runs NumDigitsChange
    void SetSource(CommentSource source, bool ticked);
    void SetMaxLengthComment(int length);  // clamped to 8..255
    void SetLongCaption(int index);        // clamped to -1..2
    void SetMaxCaptionLength(int length);  // clamped to 8..255
    // Checks a format button (None unchecks them all); runs its handler when it becomes checked.
    void SelectFormat(PatternFormat format);
    // Checks or unchecks one format button, as a loader does; unchecking runs no handler.
    void SetFormatButton(PatternFormat format, bool checked);
    void SetSeparatorIndex(int index);  // clamped to -1..3
    void SetSeparatorText(std::string text);
    void SetQualifier(std::string text);  // no handler: takes effect at the next conversion
    // Puts a text into the pattern box from program code: the boxes are not re-derived.
    void SetPatternText(std::string text);
    // The user typed in the pattern box or chose a predefined pattern: ParseEdPattern follows.
    void PatternEdited(std::string text);
    void SetCurrentFormat(int code);  // for loaders
    void SetAdvancedModeFlag(bool on);

    // --- Handlers ---
    void ToggleToken(std::string_view token, bool ticked);
    void ParseEdPattern();
    std::string ParseLine(std::string_view pattern) const;
    void EnableAutoComments();
    void rbFormatNormalClick();
    void rbFormatHTMLClick();
    void rbFormatSDVClick();
    void NumDigitsChange();
    // Click handlers of the field boxes; SetTicked runs them when a box changes.
    void FieldBoxClick(Token token);
    void cbNumberClick();
    void cbAutoCommentsClick();
    void cbAutoComments2Click();
    void cbIPTC_captionClick();

    // --- Life cycle ---
    // Creation: the store's load (guarded), ParseEdPattern, and the snapshot of the stored state.
    void FormCreate();
    // OK: advanced mode on, the snapshot becomes this state, the store saves it.
    void btnOKClick();
    // Cancel (and Esc, which keeps the window open): back to the snapshot and the stored values,
    // with the guard set, then a fresh preview.
    void btnCancelClick();
    void EscapePressed() { btnCancelClick(); }
    void TakeSnapshot() { snapshot_ = state_; }
    const PatternFormState& Snapshot() const { return snapshot_; }

    // --- Notifications ---
    int Subscribe(std::function<void(PatternFormChange)> listener);
    void Unsubscribe(int id);

  private:
    void WritePattern(std::string text);
    void RefreshPreview();
    void Notify(PatternFormChange change);
    bool& TickedRef(Token token) { return state_.ticked[static_cast<std::size_t>(token)]; }

    PatternFormState state_;
    PatternFormState snapshot_;
    bool inUpdate_ = false;
    const PreviewOptions* options_ = nullptr;
    PatternFormStore* store_ = nullptr;
    std::vector<std::pair<int, std::function<void(PatternFormChange)>>> listeners_;
    int nextListener_ = 1;
};

}  // namespace tabulo
