#include "settings/AdvancedSettings.h"

#include "settings/SettingsKey.h"

namespace tabulo {

namespace {

using A = AdvancedSettings;

Setting<A> YesNo(std::string_view name, int defaultValue, int readOrder, int writeOrder, bool A::*m) {
    return {name, SettingKind::YesNo, std::int32_t{defaultValue}, readOrder, writeOrder, SetMember(m), GetMember(m)};
}

Setting<A> Format(std::string_view name, int defaultValue, int readOrder, int writeOrder, bool A::*m) {
    return {name,        SettingKind::YesNo, std::int32_t{defaultValue},
            readOrder,   writeOrder,         [m](A& a, const SettingValue& v) { a.SetFormat(m, v.integer != 0); },
            GetMember(m)};
}

// A spin box: the value is clamped into its range.
Setting<A> Spin(std::string_view name, int defaultValue, int readOrder, int writeOrder, int A::*m, int low, int high) {
    return {name,
            SettingKind::Integer,
            std::int32_t{defaultValue},
            readOrder,
            writeOrder,
            [=](A& a, const SettingValue& v) { a.*m = std::clamp(v.integer, low, high); },
            GetMember(m)};
}

// An item index: outside the list (0..last) it selects nothing (-1).
Setting<A> ItemIndex(std::string_view name, int defaultValue, int readOrder, int writeOrder, int A::*m, int last) {
    return {name,
            SettingKind::Integer,
            std::int32_t{defaultValue},
            readOrder,
            writeOrder,
            [=](A& a, const SettingValue& v) { a.*m = v.integer >= 0 && v.integer <= last ? v.integer : -1; },
            GetMember(m)};
}

}  // namespace

const SettingTable<AdvancedSettings>& AdvancedSettingsTable() {
    static const SettingTable<A> table = [] {
        SettingTable<A> t = {
            {"ActivePattern", SettingKind::Text, std::string_view(), 28, 1, SetMember(&A::ActivePattern),
             GetMember(&A::ActivePattern)},
            YesNo("AdvancedMode", 0, 29, 2, &A::AdvancedMode),
            YesNo("cbHidden", 0, 1, 3, &A::cbHidden),
            YesNo("cbDate", 1, 2, 4, &A::cbDate),
            YesNo("cbTime", 0, 3, 5, &A::cbTime),
            YesNo("cbSize", 1, 4, 6, &A::cbSize),
            YesNo("cbAttr", 0, 5, 7, &A::cbAttr),
            YesNo("cbNameExt", 0, 6, 8, &A::cbNameExt),
            YesNo("cbName", 0, 7, 9, &A::cbName),
            YesNo("cbExt", 0, 8, 10, &A::cbExt),
            YesNo("cbPath", 0, 9, 11, &A::cbPath),
            YesNo("cbNum", 0, 10, 12, &A::cbNum),
            YesNo("cbAutocomments", 0, 11, 13, &A::cbAutocomments),
            Spin("NumDigits", 2, 12, 14, &A::NumDigits, 1, 9),
            {"currentFormat", SettingKind::Integer, std::int32_t{0}, 13, 15, SetMember(&A::currentFormat),
             GetMember(&A::currentFormat)},
            Format("rbNormal", 1, 16, 16, &A::rbNormal),
            Format("rbHTML", 0, 17, 17, &A::rbHTML),
            Format("rbSDV", 0, 15, 18, &A::rbSDV),
            Format("rbTable", 0, 0, 19, &A::rbTable),  // written, not read
            ItemIndex("Separator", -1, 14, 20, &A::Separator, 3),
            {"Qualifier", SettingKind::Text, std::string_view("\""), 18, 21, SetMember(&A::Qualifier),
             GetMember(&A::Qualifier)},
            YesNo("cbZip", 1, 19, 22, &A::cbZip),
            YesNo("cbHTML", 1, 20, 23, &A::cbHTML),
            YesNo("cbMPEG", 1, 21, 24, &A::cbMPEG),
            YesNo("cbImage", 0, 22, 25, &A::cbImage),
            YesNo("cbEXE", 0, 23, 26, &A::cbEXE),
            YesNo("cbDescript", 0, 24, 27, &A::cbDescript),
            YesNo("cbURL", 0, 26, 28, &A::cbURL),
            YesNo("cbLNK", 0, 27, 29, &A::cbLNK),
            Spin("MaxLengthComment", 30, 25, 30, &A::MaxLengthComment, 8, 255),
            ItemIndex("LongCaption", 2, 31, 31, &A::LongCaption, 2),
            Spin("MaxCaptionLength", 30, 30, 32, &A::MaxCaptionLength, 8, 255),
        };
        return t;
    }();
    return table;
}

AdvancedSettings::AdvancedSettings() {
    ApplyDefaults(AdvancedSettingsTable(), *this);
}

void AdvancedSettings::SetFormat(bool AdvancedSettings::*button, bool checked) {
    if (checked) rbNormal = rbHTML = rbSDV = rbTable = false;
    this->*button = checked;
}

void LoadAdvancedSettings(SettingsStore& store, std::string_view profile, AdvancedSettings& settings) {
    auto key = store.OpenKey(GroupKey(profile, "Advanced"), false);
    if (!key) return;
    ReadSettings(*key, AdvancedSettingsTable(), settings, profile.empty());
    settings.rbTable = false;  // the hidden Table button is never left checked by a load
}

void SaveAdvancedSettings(SettingsStore& store, std::string_view profile, const AdvancedSettings& settings) {
    SaveGroup(store, GroupKey(profile, "Advanced"), AdvancedSettingsTable(), settings, profile.empty());
}

}  // namespace tabulo
