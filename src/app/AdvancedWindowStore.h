#pragma once

#include <string_view>

#include "format/PatternForm.h"
#include "settings/AdvancedSettings.h"

namespace tabulo {

// The values of the "\Advanced" group as the Advanced window holds them now.
AdvancedSettings StoredValuesOf(const TPatternForm& form);

// Puts stored values into the Advanced window's controls in the group's read order, each through
// its setter, so the controls' reactions run; the caller holds the window's guard, so no handler
// rewrites the pattern. Values equal to what a control shows leave it alone.
void SetStoredValues(TPatternForm& form, const AdvancedSettings& values);

// The "\Advanced" group of a profile (empty: the main key) read into the window, guarded. A value
// the reading does not reach (a gap in the group, or no group at all) leaves its control as it
// is; the hidden "Table" button ends up unchecked whenever the group exists.
void LoadAdvancedGroup(SettingsStore& store, std::string_view profile, TPatternForm& form);

// The Advanced window bound to the settings store: its own OK and Cancel store and reload the
// main key's group (PatternFormStore), and start-up and profiles load and save the group of any
// key (AdvancedSettingsGroup). Loading for start-up or a profile is the window's creation step:
// the guarded load, then ParseEdPattern (the pattern decides the token boxes and, when it is not
// empty, the format, unless the pattern was last converted to the stored format, which then
// stays), then the state Cancel returns to is taken. A null store (factory settings) reads and
// writes nothing.
class AdvancedWindowStore final : public PatternFormStore, public AdvancedSettingsGroup {
  public:
    AdvancedWindowStore(TPatternForm& form, SettingsStore* store) : form_(form), store_(store) {}

    void LoadAdvanced(TPatternForm& form) override;
    void SaveAdvanced(const TPatternForm& form) override;

    void LoadAdvanced(SettingsStore& store, std::string_view profile) override;
    void SaveAdvanced(SettingsStore& store, std::string_view profile) override;
    bool AdvancedMode() const override { return form_.AdvancedMode(); }

  private:
    TPatternForm& form_;
    SettingsStore* store_;
};

}  // namespace tabulo
