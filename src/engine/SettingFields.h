#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/ListSettings.h"

namespace tabulo {

enum class FieldKind { Flag, Integer, Text, TextList, Sort, Color, FontSize, Format, OptionFlag };

// One field of ListSettings that can be set by its name: every field of the listing model, the
// seventeen option flags (set in ListOptions; ArchiveOptions follows) and the exclusion lists
// (";"-separated).
struct SettingField {
    std::string_view name;
    FieldKind kind;
    int min = 0;
    int max = 0;
};

const std::vector<SettingField>& ListSettingFields();

// The field of that name (ignoring case), or nullptr.
const SettingField* FindSettingField(std::string_view name);

// Sets a field from text. Flags take on/off/true/false/yes/no/1/0. Throws TabuloError naming the
// field and the valid names, values or range.
void SetListSetting(ListSettings& settings, std::string_view name, std::string_view value);

// The field's value as text (as SetListSetting reads it).
std::string GetListSetting(const ListSettings& settings, std::string_view name);

// What the field accepts, for help texts: "on|off", "8..255", "text", ...
std::string FieldValueHint(const SettingField& field);

// Parses a flag value; false when the text is not one.
bool ParseFlag(std::string_view text, bool& value);

}  // namespace tabulo
