#pragma once

#include <string>
#include <string_view>

#include "settings/SettingTable.h"

namespace tabulo {

// The stored values of the Advanced (pattern) window, one member per value of its "\Advanced"
// group. The window itself (its token boxes, the pattern analysis, the preview) is the pattern
// editor's model; this is the form in which its state goes to and from the store.
struct AdvancedSettings {
    std::string ActivePattern;
    bool AdvancedMode = false;
    bool cbHidden = false;
    bool cbDate = false;
    bool cbTime = false;
    bool cbSize = false;
    bool cbAttr = false;
    bool cbNameExt = false;
    bool cbName = false;
    bool cbExt = false;
    bool cbPath = false;
    bool cbNum = false;
    bool cbAutocomments = false;
    int NumDigits = 0;      // spin 1..9
    int currentFormat = 0;  // format the pattern was last converted to: 0 none, 1 HTML, 2 delimited, 3 normal
    // The four format radio buttons: checking one unchecks the others (SetFormat).
    bool rbNormal = false;
    bool rbHTML = false;
    bool rbSDV = false;
    bool rbTable = false;
    int Separator = 0;  // item index: 0 semicolon, 1 comma, 2 space, 3 other; -1 none
    std::string Qualifier;
    bool cbZip = false;
    bool cbHTML = false;
    bool cbMPEG = false;
    bool cbImage = false;
    bool cbEXE = false;
    bool cbDescript = false;
    bool cbURL = false;
    bool cbLNK = false;
    int MaxLengthComment = 0;  // spin 8..255
    int LongCaption = 0;       // item index 0..2; -1 none
    int MaxCaptionLength = 0;  // spin 8..255

    AdvancedSettings();  // the defaults

    // Sets one format radio button as a program change does: checking it unchecks the others;
    // unchecking leaves them alone.
    void SetFormat(bool AdvancedSettings::*button, bool checked);

    friend bool operator==(const AdvancedSettings&, const AdvancedSettings&) = default;
};

// The "\Advanced" group. Written in table order; read in its own order, which ends with the
// pattern and the mode. "rbTable" is written but not read. Spin values are clamped into their
// ranges and item indexes outside their lists read as no selection.
const SettingTable<AdvancedSettings>& AdvancedSettingsTable();

// Loading also unchecks the hidden Table button, wherever the reading stopped.
void LoadAdvancedSettings(SettingsStore& store, std::string_view profile, AdvancedSettings& settings);
void SaveAdvancedSettings(SettingsStore& store, std::string_view profile, const AdvancedSettings& settings);

// The Advanced window as the settings code sees it: its "\Advanced" group and its advanced-mode
// flag. The pattern editor's window implements it; profile loading and start-up call it.
class AdvancedSettingsGroup {
  public:
    virtual ~AdvancedSettingsGroup() = default;
    // `LoadAdvanced` of the profile (empty: the main key) with the window's guard set, then the
    // window derives its token boxes, format and separator from the loaded pattern.
    virtual void LoadAdvanced(SettingsStore& store, std::string_view profile) = 0;
    virtual void SaveAdvanced(SettingsStore& store, std::string_view profile) = 0;
    virtual bool AdvancedMode() const = 0;
};

// The main window's two modes (advanced: the Advanced window's pattern and choices are taken
// over; simple: the pattern is made from the Include boxes).
class ModeSwitch {
  public:
    virtual ~ModeSwitch() = default;
    virtual void SetAdvancedMode() = 0;
    virtual void SetSimpleMode() = 0;
};

// The "\Advanced" group kept as stored values only, for a caller without the Advanced window's
// model: it loads and saves the group unchanged, so profiles keep it whole.
class StoredAdvancedGroup : public AdvancedSettingsGroup {
  public:
    void LoadAdvanced(SettingsStore& store, std::string_view profile) override {
        LoadAdvancedSettings(store, profile, values);
    }
    void SaveAdvanced(SettingsStore& store, std::string_view profile) override {
        SaveAdvancedSettings(store, profile, values);
    }
    bool AdvancedMode() const override { return values.AdvancedMode; }

    AdvancedSettings values;
};

}  // namespace tabulo
