#include "settings/RegistryTree.h"

#include <algorithm>
#include <cstdio>

#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kUserRoot = "HKEY_CURRENT_USER";

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && utf8::EqualIgnoreCase(s.substr(0, prefix.size()), prefix);
}

// --- UTF-8 and UTF-16 ---

// UTF-16 code units to UTF-8. A lone surrogate U+DC80..U+DCFF stands for the stray byte 0x80..0xFF
// (how Utf8ToUtf16 writes such bytes); any other lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::vector<char16_t>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            utf8::AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xDC80 && u <= 0xDCFF) {
            out.push_back(static_cast<char>(u - 0xDC00));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            utf8::AppendCodePoint(out, 0xFFFD);
        } else {
            utf8::AppendCodePoint(out, u);
        }
    }
    return out;
}

std::vector<char16_t> Utf8ToUtf16(std::string_view s) {
    std::vector<char16_t> units;
    for (std::size_t i = 0; i < s.size();) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        const std::size_t len = utf8::CharLength(s, i);
        if (len == 1 && b0 >= 0x80) {
            units.push_back(static_cast<char16_t>(0xDC00 + b0));
            ++i;
            continue;
        }
        const char32_t cp = utf8::CodePointAt(s, i, len);
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return units;
}

// The file's text as UTF-8.
std::string DecodeFile(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::vector<char16_t> units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return Utf16ToUtf8(units);
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return std::string(bytes);
}

// --- reading lines ---

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// Reads a quoted string at s[pos] (which is '"'); "\\" and "\"" are escapes, any other backslash
// stands for itself. Moves pos past the closing quote; false when there is none.
bool ReadQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    out.clear();
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        out.push_back(s[i]);
    }
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "01,02,ff" to bytes; false when it is not such a list.
bool ReadHexBytes(std::string_view s, std::string& bytes) {
    bytes.clear();
    s = TrimLeft(TrimRight(s));
    if (s.empty()) return true;
    while (true) {
        s = TrimLeft(s);
        if (s.size() < 2) return false;
        const int hi = HexDigit(s[0]), lo = HexDigit(s[1]);
        if (hi < 0 || lo < 0) return false;
        bytes.push_back(static_cast<char>(hi * 16 + lo));
        s = TrimLeft(s.substr(2));
        if (s.empty()) return true;
        if (s[0] != ',') return false;
        s.remove_prefix(1);
    }
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0) out.push_back(',');
        out += buf;
    }
    return out;
}

// Reads the data after "=" into the value; false when it is not data of any kind.
bool ReadData(std::string_view data, RegistryValue& value) {
    data = TrimRight(data);
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        std::string text;
        // A text ends at a NUL in the registry; one inside a line of the file is damage.
        if (!ReadQuoted(data, pos, text) || pos != data.size() || text.find('\0') != std::string::npos) return false;
        value.kind = ValueKind::Text;
        value.text = std::move(text);
        return true;
    }
    if (StartsWithIgnoreCase(data, "dword:")) {
        const std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) return false;
        std::uint32_t n = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            n = n * 16 + static_cast<std::uint32_t>(d);
        }
        value.kind = ValueKind::Integer;
        value.integer = static_cast<std::int32_t>(n);
        return true;
    }
    if (StartsWithIgnoreCase(data, "hex")) {
        const auto colon = data.find(':');
        if (colon == std::string_view::npos) return false;
        const std::string_view type = data.substr(3, colon - 3);
        std::string bytes;
        if (!ReadHexBytes(data.substr(colon + 1), bytes)) return false;
        if (type == "(1)" && bytes.size() % 2 == 0) {
            std::vector<char16_t> units;
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
                const char16_t u = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
                if (u == 0) break;  // the text ends at its terminator
                units.push_back(u);
            }
            value.kind = ValueKind::Text;
            value.text = Utf16ToUtf8(units);
            return true;
        }
        if (type == "(4)" && bytes.size() == 4) {
            std::uint32_t n = 0;
            for (int i = 3; i >= 0; --i)
                n = (n << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
            value.kind = ValueKind::Integer;
            value.integer = static_cast<std::int32_t>(n);
            return true;
        }
        value.kind = ValueKind::Other;
        value.raw = "hex" + std::string(type) + ":" + HexBytes(bytes);
        return true;
    }
    return false;
}

// Reads a value line ("name"=data or @=data); false when it does not parse.
bool ReadValueLine(std::string_view line, RegistryValue& value) {
    std::size_t pos = 0;
    if (line[0] == '@') {
        value.name.clear();
        pos = 1;
    } else if (!ReadQuoted(line, pos, value.name)) {
        return false;
    }
    for (unsigned char c : value.name) {
        if (IsControl(c)) return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    return ReadData(line.substr(pos + 1), value);
}

// The logical lines of the text: hex data continued with a final "\" is joined with the lines
// that follow.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string pending;
    bool continuing = false;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        if (continuing) {
            pending += TrimLeft(line);
        } else {
            pending.assign(line);
        }
        const std::string_view trimmed = TrimRight(pending);
        const auto eq = trimmed.find("=hex");
        continuing = !trimmed.empty() && trimmed.back() == '\\' && eq != std::string_view::npos;
        if (continuing) {
            pending.resize(trimmed.size() - 1);
        } else {
            lines.push_back(std::move(pending));
            pending.clear();
        }
    }
    if (continuing) lines.push_back(std::move(pending));
    return lines;
}

// --- writing ---

std::string Quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

bool FitsQuoted(std::string_view s) {
    for (unsigned char c : s) {
        if (IsControl(c)) return false;
    }
    return utf8::IsValid(s);
}

std::string DataText(const RegistryValue& v) {
    switch (v.kind) {
        case ValueKind::Text: {
            if (FitsQuoted(v.text)) return Quoted(v.text);
            std::string bytes;
            for (char16_t u : Utf8ToUtf16(v.text)) {
                bytes.push_back(static_cast<char>(u & 0xFF));
                bytes.push_back(static_cast<char>(u >> 8));
            }
            bytes.append(2, '\0');
            return "hex(1):" + HexBytes(bytes);
        }
        case ValueKind::Integer: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<std::uint32_t>(v.integer));
            return buf;
        }
        case ValueKind::Other:
            return v.raw;
    }
    return {};
}

void WriteKey(const RegistryKey& key, const std::string& path, bool isRoot, std::string& out) {
    if (!key.values.empty() || (!isRoot && key.subkeys.empty())) {
        out += "[" + (isRoot ? std::string(kUserRoot) : path) + "]\n";
        for (const RegistryValue& v : key.values) {
            out += (v.name.empty() ? std::string("@") : Quoted(v.name)) + "=" + DataText(v) + "\n";
        }
        out += "\n";
    }
    std::vector<const RegistryKey*> children;
    for (const RegistryKey& k : key.subkeys)
        children.push_back(&k);
    std::sort(children.begin(), children.end(),
              [](const RegistryKey* a, const RegistryKey* b) { return LessIgnoreCase(a->name, b->name); });
    for (const RegistryKey* k : children)
        WriteKey(*k, isRoot ? k->name : path + "\\" + k->name, false, out);
}

template <typename Key>
Key* FindIn(Key& root, std::string_view path) {
    std::vector<std::string> names;
    if (!RegistryTree::SplitPath(path, names)) return nullptr;
    Key* key = &root;
    for (const std::string& name : names) {
        key = key->FindSubkey(name);
        if (!key) return nullptr;
    }
    return key;
}

}  // namespace

bool LessIgnoreCase(std::string_view a, std::string_view b) {
    const std::string ua = utf8::ToUpper(a), ub = utf8::ToUpper(b);
    if (ua != ub) return ua < ub;
    return a < b;
}

RegistryValue* RegistryKey::FindValue(std::string_view valueName) {
    for (RegistryValue& v : values) {
        if (utf8::EqualIgnoreCase(v.name, valueName)) return &v;
    }
    return nullptr;
}

const RegistryValue* RegistryKey::FindValue(std::string_view valueName) const {
    return const_cast<RegistryKey*>(this)->FindValue(valueName);
}

RegistryKey* RegistryKey::FindSubkey(std::string_view keyName) {
    for (RegistryKey& k : subkeys) {
        if (utf8::EqualIgnoreCase(k.name, keyName)) return &k;
    }
    return nullptr;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view keyName) const {
    return const_cast<RegistryKey*>(this)->FindSubkey(keyName);
}

void RegistryKey::SetValue(RegistryValue value) {
    if (RegistryValue* existing = FindValue(value.name)) {
        value.name = existing->name;  // the stored spelling stays
        *existing = std::move(value);
    } else {
        values.push_back(std::move(value));
    }
}

std::vector<std::string> RegistryKey::SubkeyNames() const {
    std::vector<std::string> names;
    for (const RegistryKey& k : subkeys)
        names.push_back(k.name);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
    return names;
}

std::vector<std::string> RegistryKey::ValueNames() const {
    std::vector<std::string> names;
    for (const RegistryValue& v : values)
        names.push_back(v.name);
    return names;
}

bool RegistryTree::SplitPath(std::string_view path, std::vector<std::string>& names) {
    names.clear();
    if (utf8::EqualIgnoreCase(path, kUserRoot)) return true;
    if (StartsWithIgnoreCase(path, std::string(kUserRoot) + "\\")) path.remove_prefix(kUserRoot.size() + 1);
    std::size_t start = 0;
    while (true) {
        const auto end = path.find('\\', start);
        const std::string_view name =
            path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (name.empty()) return false;
        for (unsigned char c : name) {
            if (IsControl(c)) return false;
        }
        names.emplace_back(name);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

RegistryKey* RegistryTree::Find(std::string_view path) {
    return FindIn(root_, path);
}

const RegistryKey* RegistryTree::Find(std::string_view path) const {
    return FindIn(root_, path);
}

RegistryKey* RegistryTree::Create(std::string_view path) {
    std::vector<std::string> names;
    if (!SplitPath(path, names)) return nullptr;
    RegistryKey* key = &root_;
    for (std::string& name : names) {
        RegistryKey* next = key->FindSubkey(name);
        if (!next) {
            key->subkeys.push_back(RegistryKey{std::move(name), {}, {}});
            next = &key->subkeys.back();
        }
        key = next;
    }
    return key;
}

RegistryTree RegistryTree::Parse(std::string_view bytes, bool& damaged) {
    damaged = false;
    RegistryTree tree;
    const std::string text = DecodeFile(bytes);
    RegistryKey* current = nullptr;
    bool first = true;
    for (const std::string& rawLine : LogicalLines(text)) {
        const std::string_view line = TrimLeft(TrimRight(rawLine));
        if (line.empty() || line[0] == ';') continue;
        if (first && (line == kHeader || line == kOldHeader)) {
            first = false;
            continue;
        }
        first = false;
        if (line[0] == '[') {
            RegistryKey* key = nullptr;
            if (line.size() >= 2 && line.back() == ']' && line[1] != '-') {
                key = tree.Create(line.substr(1, line.size() - 2));
            }
            if (!key) damaged = true;
            current = key;  // the values under a key line that did not parse are left out
            continue;
        }
        RegistryValue value;
        if ((line[0] == '"' || line[0] == '@') && current && ReadValueLine(line, value)) {
            current->SetValue(std::move(value));
        } else {
            damaged = true;  // (already set for the values of a key line that did not parse)
        }
    }
    return tree;
}

std::string RegistryTree::Serialize() const {
    std::string out = std::string(kHeader) + "\n\n";
    WriteKey(root_, {}, true, out);
    return out;
}

}  // namespace tabulo
