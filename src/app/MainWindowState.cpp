#include "app/MainWindowState.h"

#include <algorithm>
#include <iterator>

#include "settings/ExclusionLists.h"
#include "settings/SettingsKey.h"

namespace tabulo {

namespace {

using M = MainWindowState;

constexpr int kReadReg = 0;
constexpr int kReadRegFont = 1;

constexpr SortCriterion kSortItems[] = {SortCriterion::Name, SortCriterion::Size, SortCriterion::Date,
                                        SortCriterion::Extension};

// A yes/no value of the run settings.
Setting<M> Flag(std::string_view name, int defaultValue, int readOrder, int writeOrder, bool ListSettings::*m) {
    return {name,
            SettingKind::YesNo,
            std::int32_t{defaultValue},
            readOrder,
            writeOrder,
            [m](M& w, const SettingValue& v) { w.settings.*m = v.integer != 0; },
            [m](const M& w) {
                return SettingValue{w.settings.*m ? 1 : 0, {}};
            }};
}

// A spin box of the run settings: the value is clamped into its range.
Setting<M> Spin(std::string_view name, int defaultValue, int readOrder, int writeOrder, int ListSettings::*m, int low,
                int high) {
    return {name,
            SettingKind::Integer,
            std::int32_t{defaultValue},
            readOrder,
            writeOrder,
            [=](M& w, const SettingValue& v) { w.settings.*m = std::clamp(v.integer, low, high); },
            [m](const M& w) {
                return SettingValue{w.settings.*m, {}};
            }};
}

}  // namespace

const SettingTable<MainWindowState>& MainSettings() {
    static const SettingTable<M> table = [] {
        SettingTable<M> t = {
            {"TabuloPro_Exe", SettingKind::Text, {}, 0, 1, nullptr, GetMember(&M::programPath)},
            {"AdvancedMode", SettingKind::YesNo, std::int32_t{0}, 20, 2,
             [](M& w, const SettingValue& v) { w.settings.AdvancedMode = v.integer != 0; },
             [](const M& w) {
                 return SettingValue{w.settings.AdvancedMode ? 1 : 0, {}};
             }},
            {"AdvancedString",
             SettingKind::Text,
             {},
             0,
             3,
             nullptr,
             [](const M& w) {
                 return SettingValue{0, w.settings.ActivePattern};
             }},
            {"SortCriteria", SettingKind::Integer, std::int32_t{0}, 1, 4,
             [](M& w, const SettingValue& v) { w.SetSortIndex(v.integer); },
             [](const M& w) {
                 return SettingValue{w.SortIndex(), {}};
             }},
            {"Ascending", SettingKind::YesNo, std::int32_t{1}, 2, 5,
             [](M& w, const SettingValue& v) { w.SetAscending(v.integer != 0); }, GetMember(&M::rbAscending)},
            {"Descending", SettingKind::YesNo, std::int32_t{0}, 3, 6,
             [](M& w, const SettingValue& v) { w.SetDescending(v.integer != 0); },
             [](const M& w) {
                 return SettingValue{w.settings.Descending ? 1 : 0, {}};
             }},
            {"CurrentFolder", SettingKind::Text, {}, 4, 7, SetMember(&M::currentFolder), GetMember(&M::currentFolder)},
            Flag("IncludeFolders", 0, 5, 8, &ListSettings::IncludeFolders),
            Flag("RecurseAll", 0, 6, 9, &ListSettings::RecurseAll),
            Flag("IncludeDate", 1, 7, 10, &ListSettings::IncludeDate),
            Flag("IncludeTime", 0, 8, 11, &ListSettings::IncludeTime),
            Flag("IncludeSize", 1, 9, 12, &ListSettings::IncludeSize),
            Flag("IncludeAttr", 0, 10, 13, &ListSettings::IncludeAttr),
            Flag("IncludeAllFiles", 0, 11, 14, &ListSettings::IncludeAllFiles),
            Spin("LeftMargin", 15, 12, 15, &ListSettings::LeftMargin, 0, 100),
            Spin("Levels", 2, 13, 16, &ListSettings::Levels, 0, 1000),
            Spin("MaxLength", 30, 14, 17, &ListSettings::MaxLength, 8, 255),
            Flag("Exclusions", 0, 15, 18, &ListSettings::Exclusions),
            {"FontName", SettingKind::Text, std::string_view("Courier New"), 1, 19,
             [](M& w, const SettingValue& v) { w.settings.FontName = v.text; },
             [](const M& w) {
                 return SettingValue{0, w.settings.FontName};
             },
             kReadRegFont},
            {"FontSize", SettingKind::Integer, std::int32_t{1}, 2, 20,
             [](M& w, const SettingValue& v) { w.SetFontSizeIndex(v.integer); }, GetMember(&M::fontSizeIndex),
             kReadRegFont},
            {"FontColor", SettingKind::Integer, std::int32_t{0}, 3, 21,
             [](M& w, const SettingValue& v) { w.settings.FontColor = static_cast<std::uint32_t>(v.integer); },
             [](const M& w) {
                 return SettingValue{static_cast<std::int32_t>(w.settings.FontColor), {}};
             },
             kReadRegFont},
            {"UseDefaultFont", SettingKind::YesNo, std::int32_t{0}, 4, 22,
             [](M& w, const SettingValue& v) { w.settings.UseDefaultFont = v.integer != 0; },
             [](const M& w) {
                 return SettingValue{w.settings.UseDefaultFont ? 1 : 0, {}};
             },
             kReadRegFont},
            {"Width", SettingKind::Integer, std::int32_t{680}, 16, 23,
             [](M& w, const SettingValue& v) { w.SetWindowSize(v.integer, w.height); }, GetMember(&M::width)},
            {"Height", SettingKind::Integer, std::int32_t{472}, 17, 24,
             [](M& w, const SettingValue& v) { w.SetWindowSize(w.width, v.integer); }, GetMember(&M::height)},
            {"Maximized", SettingKind::YesNo, std::int32_t{0}, 18, 25, SetMember(&M::maximized),
             GetMember(&M::maximized)},
            {"PrevCatFolder", SettingKind::Text, std::string_view(), 19, 26, SetMember(&M::prevCatFolder),
             GetMember(&M::prevCatFolder)},
        };
        for (Setting<M>& s : t) {
            if (s.name == "TabuloPro_Exe") s.writeScope = KeyScope::ProfileKeysOnly;
            if (s.name == "CurrentFolder") s.readScope = KeyScope::MainKeyOnly;
        }
        return t;
    }();
    return table;
}

MainWindowState::MainWindowState() {
    width = kMinWidth;
    height = kMinHeight;
    ApplyDefaults(MainSettings(), *this);
}

void MainWindowState::SetAscending(bool checked) {
    rbAscending = checked;
    if (checked) settings.Descending = false;
}

void MainWindowState::SetDescending(bool checked) {
    settings.Descending = checked;
    if (checked) rbAscending = false;
}

void MainWindowState::SetSortIndex(int index) {
    settings.SortCriteria =
        index >= 0 && index < static_cast<int>(std::size(kSortItems)) ? kSortItems[index] : SortCriterion::None;
}

int MainWindowState::SortIndex() const {
    for (int i = 0; i < static_cast<int>(std::size(kSortItems)); ++i) {
        if (kSortItems[i] == settings.SortCriteria) return i;
    }
    return -1;
}

void MainWindowState::SetFontSizeIndex(int index) {
    if (index >= 0 && index < static_cast<int>(std::size(kFontSizes))) {
        fontSizeIndex = index;
        settings.FontSize = kFontSizes[index];
    } else {
        fontSizeIndex = -1;
    }
}

void MainWindowState::SetWindowSize(int newWidth, int newHeight) {
    width = std::max(newWidth, kMinWidth);
    height = std::max(newHeight, kMinHeight);
}

void MainWindowState::PrepareForReading() {
    SetFontSizeIndex(1);
    settings.FontName = "Courier New";
    SetSortIndex(0);
}

void MainWindowState::MatchControlsToSettings() {
    rbAscending = !settings.Descending;
    const auto* size = std::find(std::begin(kFontSizes), std::end(kFontSizes), settings.FontSize);
    fontSizeIndex = size == std::end(kFontSizes) ? -1 : static_cast<int>(size - std::begin(kFontSizes));
}

void MainWindowState::ReadReg(SettingsStore& store, std::string_view profile) {
    auto key = store.OpenKey(SettingsKey(profile), false);
    if (!key) return;
    if (!programPath.empty()) key->WriteText("TabuloPro_Exe", programPath);
    ReadSettings(*key, MainSettings(), *this, profile.empty(), kReadReg);
}

void MainWindowState::ReadRegFont(SettingsStore& store, std::string_view profile) {
    LoadGroup(store, SettingsKey(profile), MainSettings(), *this, profile.empty(), kReadRegFont);
}

void MainWindowState::SaveReg(SettingsStore& store, std::string_view profile) {
    SaveGroup(store, SettingsKey(profile), MainSettings(), *this, profile.empty());
    SaveExclusionList(store, GroupKey(profile, kExcludeExtensions.subkey), kExcludeExtensions.prefix,
                      settings.ExcludedExtensions);
    SaveExclusionList(store, GroupKey(profile, kExcludeFilenames.subkey), kExcludeFilenames.prefix,
                      settings.ExcludedFileNames);
    SaveExclusionList(store, GroupKey(profile, kExcludeFolders.subkey), kExcludeFolders.prefix,
                      settings.ExcludedFolders);
}

void MainWindowState::LoadExclusionLists(SettingsStore& store) {
    LoadExclusionList(store, kExcludeExtensions.subkey, settings.ExcludedExtensions);
    LoadExclusionList(store, kExcludeFilenames.subkey, settings.ExcludedFileNames);
    LoadExclusionList(store, kExcludeFolders.subkey, settings.ExcludedFolders);
}

}  // namespace tabulo
