#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingTable.h"

namespace tabulo {

// The fields of the Page settings window: page header and footer (with the macros %p, %t and %d),
// their font, and the page margins in millimetres. Printing reads them from here.
struct PageSetupFields {
    std::string headerText;
    std::string footerText;
    std::string fontName;
    int fontSize = 0;            // points, 8..20 (a value read from the store is clamped into that range)
    std::int32_t fontColor = 0;  // 0x00BBGGRR
    int topMargin = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;

    PageSetupFields();  // the defaults

    // The "\PageSetup" group of a settings key (empty profile name: the main key).
    void LoadPageSetup(SettingsStore& store, std::string_view profile);
    void SavePageSetup(SettingsStore& store, std::string_view profile) const;

    // OK stores the fields in the main key; Cancel loads them back from it.
    void btnOkClick(SettingsStore& store) const { SavePageSetup(store, {}); }
    void btnCancelClick(SettingsStore& store) { LoadPageSetup(store, {}); }

    friend bool operator==(const PageSetupFields&, const PageSetupFields&) = default;
};

// The "\PageSetup" group, read and written in the same order.
const SettingTable<PageSetupFields>& PageSetupSettings();

}  // namespace tabulo
