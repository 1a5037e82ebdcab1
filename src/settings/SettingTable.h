#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/SettingsStore.h"

namespace tabulo {

// How a setting is stored: a text, or an integer of which a yes/no setting uses 1 and 0 (read as
// yes when nonzero).
enum class SettingKind { Text, YesNo, Integer };

// Which settings keys a setting is read from or written to.
enum class KeyScope { Any, MainKeyOnly, ProfileKeysOnly };

// A value on its way between the store and a model: `integer` for yes/no (0 or 1) and integer
// settings, `text` for text settings.
struct SettingValue {
    std::int32_t integer = 0;
    std::string text;
};

// No default: the control keeps what it has (a value that is never read, or one whose control
// has its own start).
using SettingDefault = std::variant<std::monostate, std::int32_t, std::string_view>;

// One row of a group's table: how the value is named and stored, its default, where it stands in
// the group's read and write order, and how it reaches the model. Setting a value through `set`
// is what reading it into its control does, change reactions included.
template <class Model>
struct Setting {
    std::string_view name;
    SettingKind kind;
    SettingDefault defaultValue;
    int readOrder = 0;   // 1-based position in the read order of its reader; 0: not read
    int writeOrder = 0;  // 1-based position in the write order; 0: not written
    std::function<void(Model&, const SettingValue&)> set;
    std::function<SettingValue(const Model&)> get;
    int reader = 0;  // which of the group's loads reads it (the main group has two)
    KeyScope readScope = KeyScope::Any;
    KeyScope writeScope = KeyScope::Any;
};

template <class Model>
using SettingTable = std::vector<Setting<Model>>;

// Reads the group's values of one reader in read order into the model. The first yes/no or
// integer value that is absent or not an integer ends the reading silently, and so does a text
// value of another kind; an absent text reads as "". Values read before the stop keep their
// effect; later ones are left as they are.
template <class Model>
void ReadSettings(const StoreKey& key, const SettingTable<Model>& table, Model& model, bool mainKey, int reader = 0) {
    std::vector<const Setting<Model>*> order;
    for (const Setting<Model>& s : table) {
        if (s.readOrder == 0 || s.reader != reader) continue;
        if (s.readScope == KeyScope::MainKeyOnly && !mainKey) continue;
        if (s.readScope == KeyScope::ProfileKeysOnly && mainKey) continue;
        order.push_back(&s);
    }
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->readOrder < b->readOrder; });
    for (const Setting<Model>* s : order) {
        SettingValue value;
        if (s->kind == SettingKind::Text) {
            auto text = key.ReadText(s->name);
            if (!text) return;
            value.text = std::move(*text);
        } else {
            const auto n = key.ReadInteger(s->name);
            if (!n) return;
            value.integer = s->kind == SettingKind::YesNo ? (*n != 0 ? 1 : 0) : *n;
        }
        s->set(model, value);
    }
}

// Writes every written value of the group in write order, overwriting what is there.
template <class Model>
void WriteSettings(StoreKey& key, const SettingTable<Model>& table, const Model& model, bool mainKey) {
    std::vector<const Setting<Model>*> order;
    for (const Setting<Model>& s : table) {
        if (s.writeOrder == 0) continue;
        if (s.writeScope == KeyScope::MainKeyOnly && !mainKey) continue;
        if (s.writeScope == KeyScope::ProfileKeysOnly && mainKey) continue;
        order.push_back(&s);
    }
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->writeOrder < b->writeOrder; });
    for (const Setting<Model>* s : order) {
        const SettingValue value = s->get(model);
        switch (s->kind) {
            case SettingKind::Text:
                key.WriteText(s->name, value.text);
                break;
            case SettingKind::YesNo:
                key.WriteBool(s->name, value.integer != 0);
                break;
            case SettingKind::Integer:
                key.WriteInteger(s->name, value.integer);
                break;
        }
    }
}

// Loading a group: open its key without creating it (absent: nothing changes), read, close.
template <class Model>
void LoadGroup(SettingsStore& store, const std::string& keyPath, const SettingTable<Model>& table, Model& model,
               bool mainKey, int reader = 0) {
    if (auto key = store.OpenKey(keyPath, false)) ReadSettings(*key, table, model, mainKey, reader);
}

// Saving a group: open its key, creating it (cannot: nothing is written), write, close.
template <class Model>
void SaveGroup(SettingsStore& store, const std::string& keyPath, const SettingTable<Model>& table, const Model& model,
               bool mainKey) {
    if (auto key = store.OpenKey(keyPath, true)) WriteSettings(*key, table, model, mainKey);
}

// Puts every default of the table into the model: what the controls hold when nothing is read.
template <class Model>
void ApplyDefaults(const SettingTable<Model>& table, Model& model) {
    for (const Setting<Model>& s : table) {
        SettingValue value;
        if (const auto* n = std::get_if<std::int32_t>(&s.defaultValue)) {
            value.integer = *n;
        } else if (const auto* t = std::get_if<std::string_view>(&s.defaultValue)) {
            value.text = *t;
        } else {
            continue;
        }
        s.set(model, value);
    }
}

// Bindings for plain members of a model.
template <class Model>
std::function<void(Model&, const SettingValue&)> SetMember(bool Model::*m) {
    return [m](Model& model, const SettingValue& v) { model.*m = v.integer != 0; };
}
template <class Model>
std::function<void(Model&, const SettingValue&)> SetMember(int Model::*m) {
    return [m](Model& model, const SettingValue& v) { model.*m = v.integer; };
}
template <class Model>
std::function<void(Model&, const SettingValue&)> SetMember(std::string Model::*m) {
    return [m](Model& model, const SettingValue& v) { model.*m = v.text; };
}
template <class Model>
std::function<SettingValue(const Model&)> GetMember(bool Model::*m) {
    return [m](const Model& model) { return SettingValue{model.*m ? 1 : 0, {}}; };
}
template <class Model>
std::function<SettingValue(const Model&)> GetMember(int Model::*m) {
    return [m](const Model& model) { return SettingValue{model.*m, {}}; };
}
template <class Model>
std::function<SettingValue(const Model&)> GetMember(std::string Model::*m) {
    return [m](const Model& model) { return SettingValue{0, model.*m}; };
}

}  // namespace tabulo
