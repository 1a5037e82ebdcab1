#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/ListSettings.h"
#include "format/PatternForm.h"

namespace tabulo {

// What a notification of the mode model says has changed.
enum class ModeChange { Mode, IncludeBoxes, Pattern };

// The main window's two ways of saying what a line shows (its "Options" tab). In simple mode the
// four "Include" boxes make the pattern at every run; in advanced mode the pattern box holds the
// Advanced window's pattern (hand edits included) and the Advanced window's choices are taken
// over into the settings. The Include boxes are the settings' IncludeDate, IncludeTime,
// IncludeSize and IncludeAttr; the mode is their AdvancedMode. Views show the Include box
// (GroupBox1) in simple mode and the pattern box (GroupBox2) in advanced mode.
class ModeModel {
  public:
    // Shows the Advanced window modally and tells how it was closed. The window's own OK and
    // Cancel handlers (TPatternForm::btnOKClick, btnCancelClick) run inside, as its buttons do.
    using ShowAdvanced = std::function<ModalResult(TPatternForm&)>;

    // Starts in simple mode, as the main window does when it is created.
    ModeModel(ListSettings& settings, TPatternForm& advanced);
    ModeModel(const ModeModel&) = delete;
    ModeModel& operator=(const ModeModel&) = delete;

    bool AdvancedMode() const { return settings_.AdvancedMode; }

    // The Include boxes; a change runs the box's click handler as a click does.
    bool InclDate() const { return settings_.IncludeDate; }
    bool InclTime() const { return settings_.IncludeTime; }
    bool InclTimeEnabled() const { return timeEnabled_; }
    bool InclSize() const { return settings_.IncludeSize; }
    bool Attr() const { return settings_.IncludeAttr; }
    void SetInclDate(bool ticked);
    void SetInclTime(bool ticked);
    void SetInclSize(bool ticked);
    void SetAttr(bool ticked);
    // "Time" is enabled exactly when "Date" is ticked; its tick stays as it is.
    void cbInclDateClick();

    // The pattern box edPattern (advanced mode); a hand edit is used by the next run as typed.
    const std::string& PatternText() const { return edPattern_; }
    void SetPatternText(std::string text);

    // The simple-mode pattern: "%NAME", then " %SIZE", " %DATE", " %TIME", " %ATTR" for the
    // ticked boxes (ticked counts, enabled or not).
    std::string MakePattern() const;

    // Shows the pattern box and takes the Advanced window's pattern and choices over into the
    // settings, once, at this moment.
    void SetAdvancedMode();
    // Shows the Include box and resets the format fields; the Advanced window is not touched.
    void SetSimpleMode();

    // "&Advanced" (simple mode): brings the Advanced window into line with the Include boxes and
    // the simple pattern, shows it, and on OK switches to advanced mode.
    void btnAdvancedClick(const ShowAdvanced& show);
    // "&Edit" (advanced mode): the Advanced window takes the pattern box's text, derives its boxes
    // from it, is shown, and on OK its state is taken over again.
    void btnEditAdvancedClick(const ShowAdvanced& show);
    // "&Simple": simple mode, and the Advanced window's advanced-mode flag is cleared in memory.
    void btnSimpleClick();

    // Start-up: the Advanced window is created (loads its stored state) and, when its stored
    // flag says so, puts the main window into advanced mode.
    void CreateAdvancedForm();
    // After a profile is loaded and the Advanced window has derived its boxes: the mode follows
    // the Advanced window's flag.
    void FollowAdvancedFlag();

    // The pattern of a run, fixed as the OK button does: simple mode makes it with MakePattern,
    // a pattern shorter than 5 characters becomes "%NAME"; the pattern box shows the result.
    // Also takes the values a run reads from the Advanced window's controls in both modes:
    // NumDigits, MaxLengthComment, cbDescript and FormatSDV.
    void PrepareRun();

    int Subscribe(std::function<void(ModeChange)> listener);
    void Unsubscribe(int id);

  private:
    void TakeResetCounter();
    void Notify(ModeChange change);

    ListSettings& settings_;
    TPatternForm& advanced_;
    std::string edPattern_;
    bool timeEnabled_ = true;
    std::vector<std::pair<int, std::function<void(ModeChange)>>> listeners_;
    int nextListener_ = 1;
};

}  // namespace tabulo
