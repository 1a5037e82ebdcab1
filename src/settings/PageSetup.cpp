#include "settings/PageSetup.h"

#include "settings/SettingsKey.h"

namespace tabulo {

namespace {

constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 20;

}  // namespace

const SettingTable<PageSetupFields>& PageSetupSettings() {
    using P = PageSetupFields;
    static const SettingTable<P> table = {
        {"HeaderText", SettingKind::Text, "-- Page %p of %t -- %d", 1, 1, SetMember(&P::headerText),
         GetMember(&P::headerText)},
        {"FooterText", SettingKind::Text, "Page by Tabulo Pro", 2, 2, SetMember(&P::footerText),
         GetMember(&P::footerText)},
        {"FontName", SettingKind::Text, "Tahoma", 3, 3, SetMember(&P::fontName), GetMember(&P::fontName)},
        {"FontSize", SettingKind::Integer, 9, 4, 4,
         [](P& p, const SettingValue& v) { p.fontSize = std::clamp(v.integer, kMinFontSize, kMaxFontSize); },
         GetMember(&P::fontSize)},
        {"FontColor", SettingKind::Integer, 0, 5, 5, SetMember(&P::fontColor), GetMember(&P::fontColor)},
        {"TopMargin", SettingKind::Integer, 20, 6, 6, SetMember(&P::topMargin), GetMember(&P::topMargin)},
        {"LeftMargin", SettingKind::Integer, 20, 7, 7, SetMember(&P::leftMargin), GetMember(&P::leftMargin)},
        {"RightMargin", SettingKind::Integer, 20, 8, 8, SetMember(&P::rightMargin), GetMember(&P::rightMargin)},
        {"BottomMargin", SettingKind::Integer, 20, 9, 9, SetMember(&P::bottomMargin), GetMember(&P::bottomMargin)},
    };
    return table;
}

PageSetupFields::PageSetupFields() {
    ApplyDefaults(PageSetupSettings(), *this);
}

void PageSetupFields::LoadPageSetup(SettingsStore& store, std::string_view profile) {
    LoadGroup(store, GroupKey(profile, "PageSetup"), PageSetupSettings(), *this, profile.empty());
}

void PageSetupFields::SavePageSetup(SettingsStore& store, std::string_view profile) const {
    SaveGroup(store, GroupKey(profile, "PageSetup"), PageSetupSettings(), *this, profile.empty());
}

}  // namespace tabulo
