#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo {

enum class ValueKind { Text, Integer, Other };

// One named value of a key. Values of kinds the settings never use (binary, multi-string, ...)
// are kept as their data text so that rewriting the file keeps them unchanged.
struct RegistryValue {
    std::string name;
    ValueKind kind = ValueKind::Text;
    std::string text;          // Text
    std::int32_t integer = 0;  // Integer
    std::string raw;           // Other: the data after "=" as the file had it

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// A key with its values in store order and its subkeys. Names match without regard to case.
struct RegistryKey {
    std::string name;
    std::vector<RegistryValue> values;
    std::vector<RegistryKey> subkeys;

    RegistryValue* FindValue(std::string_view valueName);
    const RegistryValue* FindValue(std::string_view valueName) const;
    RegistryKey* FindSubkey(std::string_view keyName);
    const RegistryKey* FindSubkey(std::string_view keyName) const;
    // Creates or overwrites a value; a new value goes after the others.
    void SetValue(RegistryValue value);
    // Subkey names sorted alphabetically without regard to case.
    std::vector<std::string> SubkeyNames() const;
    std::vector<std::string> ValueNames() const;
};

// The key tree of a settings file in registry-export syntax:
//
//   Windows Registry Editor Version 5.00
//
//   [Software\Quenbright\Tabulo Pro]
//   "FontName"="Courier New"
//   "FontSize"=dword:00000001
//
// Keys written with a leading "HKEY_CURRENT_USER\" are the same keys as without it. Texts that a
// quoted string cannot hold (line breaks, other control characters, bytes that are not UTF-8)
// are written as hex(1) data, UTF-16LE as the registry keeps them, with each stray byte as a
// lone surrogate U+DC80..U+DCFF so that it reads back as the same byte.
class RegistryTree {
  public:
    // Reads a file's bytes: UTF-8 (a byte-order mark is skipped) or UTF-16LE with its byte-order
    // mark. Lines that do not parse are left out, and so are the values under a key line that
    // does not parse; `damaged` tells whether that happened.
    static RegistryTree Parse(std::string_view bytes, bool& damaged);

    // The file's text, UTF-8, keys in tree order with subkeys sorted without regard to case.
    std::string Serialize() const;

    // Splits a key path at "\" into its names; false when it cannot name a key (an empty name,
    // a control character). A leading "HKEY_CURRENT_USER\" is dropped.
    static bool SplitPath(std::string_view path, std::vector<std::string>& names);

    // The key at `path`, or nullptr. Keys named only as the parents of other keys exist too.
    RegistryKey* Find(std::string_view path);
    const RegistryKey* Find(std::string_view path) const;
    // The key at `path`, made with every missing key on the way (new names keep the spelling
    // given; existing keys keep theirs); nullptr when the path cannot name a key.
    RegistryKey* Create(std::string_view path);

    const RegistryKey& Root() const { return root_; }

  private:
    RegistryKey root_;
};

// Alphabetical order without regard to case (upper-case forms compared); texts equal but for
// case are ordered by their bytes.
bool LessIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tabulo
