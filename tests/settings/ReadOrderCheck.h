#pragma once

// Checks a group's reading against its documented read order: for every value, a key that lacks
// it (or holds it with the wrong kind) must give exactly what reading the other values one by one
// in that order, stopping at the gap, gives. Any value read out of order, read after the gap, or
// not read at all shows up as a difference.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingTable.h"

namespace tabulo::test {

// A stored value that differs from the default, so that reading it shows.
template <class Model>
SettingValue NonDefault(const Setting<Model>& s) {
    SettingValue v;
    if (const auto* n = std::get_if<std::int32_t>(&s.defaultValue)) {
        v.integer = s.kind == SettingKind::YesNo ? !*n : *n + 1;
    } else {
        v.integer = 1;
    }
    const auto* t = std::get_if<std::string_view>(&s.defaultValue);
    v.text = (t ? std::string(*t) : std::string()) + "stored " + std::string(s.name);
    return v;
}

// What every written value of the group holds in the model, as text for readable differences.
template <class Model>
std::vector<std::string> Observe(const SettingTable<Model>& table, const Model& model) {
    std::vector<std::string> seen;
    for (const Setting<Model>& s : table) {
        if (!s.get) continue;
        const SettingValue v = s.get(model);
        seen.push_back(std::string(s.name) + "=" + (s.kind == SettingKind::Text ? v.text : std::to_string(v.integer)));
    }
    return seen;
}

template <class Model>
const Setting<Model>& Row(const SettingTable<Model>& table, std::string_view name) {
    for (const Setting<Model>& s : table) {
        if (s.name == name) return s;
    }
    ADD_FAILURE() << "no row " << name;
    return table.front();
}

enum class Gap { None, Absent, WrongKind };

template <class Model>
void ExpectReadOrder(const std::string& storePath, const SettingTable<Model>& table,
                     const std::vector<std::string_view>& readOrder, bool mainKey, int reader = 0) {
    auto writeStore = [&](std::string_view gapName, Gap gap) {
        RegistryTree file;
        RegistryKey* key = file.Create("Group");
        for (std::string_view name : readOrder) {
            const Setting<Model>& s = Row(table, name);
            if (name == gapName && gap == Gap::Absent) continue;
            const SettingValue v = NonDefault(s);
            const bool asText = (s.kind == SettingKind::Text) != (name == gapName && gap == Gap::WrongKind);
            RegistryValue value{
                std::string(name), asText ? ValueKind::Text : ValueKind::Integer, v.text, v.integer, {}};
            key->SetValue(value);
        }
        std::ofstream(storePath, std::ios::binary | std::ios::trunc) << file.Serialize();
    };
    auto expected = [&](std::string_view gapName, Gap gap) {
        Model model;
        for (std::string_view name : readOrder) {
            const Setting<Model>& s = Row(table, name);
            SettingValue v = NonDefault(s);
            if (name == gapName) {
                if (gap == Gap::WrongKind || s.kind != SettingKind::Text) break;
                v.text.clear();  // an absent text reads as empty and the reading goes on
            }
            s.set(model, v);
        }
        return Observe(table, model);
    };
    auto actual = [&]() {
        SettingsStore store(storePath);
        Model model;
        LoadGroup(store, "Group", table, model, mainKey, reader);
        return Observe(table, model);
    };

    writeStore({}, Gap::None);
    EXPECT_EQ(expected({}, Gap::None), actual()) << "all values present";
    for (std::string_view name : readOrder) {
        for (Gap gap : {Gap::Absent, Gap::WrongKind}) {
            SCOPED_TRACE(std::string(name) + (gap == Gap::Absent ? " absent" : " of the wrong kind"));
            writeStore(name, gap);
            EXPECT_EQ(expected(name, gap), actual());
        }
    }
}

}  // namespace tabulo::test
