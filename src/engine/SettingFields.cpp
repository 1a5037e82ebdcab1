#include "engine/SettingFields.h"

#include <charconv>
#include <cstdio>

#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

struct Binding {
    SettingField field;
    bool ListSettings::*flag = nullptr;
    int ListSettings::*integer = nullptr;
    std::string ListSettings::*text = nullptr;
    std::vector<std::string> ListSettings::*list = nullptr;
    bool OptionFlags::*option = nullptr;
};

Binding Flag(std::string_view name, bool ListSettings::*m) {
    return {{name, FieldKind::Flag}, m};
}
Binding Int(std::string_view name, int ListSettings::*m, int min, int max) {
    Binding b{{name, FieldKind::Integer, min, max}};
    b.integer = m;
    return b;
}
Binding Text(std::string_view name, std::string ListSettings::*m) {
    Binding b{{name, FieldKind::Text}};
    b.text = m;
    return b;
}
Binding List(std::string_view name, std::vector<std::string> ListSettings::*m) {
    Binding b{{name, FieldKind::TextList}};
    b.list = m;
    return b;
}
Binding Format(std::string_view name, bool ListSettings::*m) {
    return {{name, FieldKind::Format}, m};
}
Binding Special(std::string_view name, FieldKind kind) {
    return {{name, kind}};
}

const std::vector<Binding>& Bindings() {
    static const std::vector<Binding> bindings = [] {
        std::vector<Binding> b = {
            Text("ActivePattern", &ListSettings::ActivePattern),
            Flag("IncludeDate", &ListSettings::IncludeDate),
            Flag("IncludeTime", &ListSettings::IncludeTime),
            Flag("IncludeSize", &ListSettings::IncludeSize),
            Flag("IncludeAttr", &ListSettings::IncludeAttr),
            Special("SortCriteria", FieldKind::Sort),
            Flag("Descending", &ListSettings::Descending),
            Int("MaxLength", &ListSettings::MaxLength, 8, 255),
            Flag("Exclusions", &ListSettings::Exclusions),
            Text("Filter", &ListSettings::Filter),
            Flag("IncludeFolders", &ListSettings::IncludeFolders),
            Flag("RecurseAll", &ListSettings::RecurseAll),
            Int("Levels", &ListSettings::Levels, 0, 1000),
            Int("LeftMargin", &ListSettings::LeftMargin, 0, 100),
            Flag("UseDefaultFont", &ListSettings::UseDefaultFont),
            Text("FontName", &ListSettings::FontName),
            Special("FontSize", FieldKind::FontSize),
            Special("FontColor", FieldKind::Color),
            Flag("AdvancedMode", &ListSettings::AdvancedMode),
            Flag("FixedColumns", &ListSettings::FixedColumns),
            Flag("UseAutoComments", &ListSettings::UseAutoComments),
            Format("rbNormal", &ListSettings::rbNormal),
            Format("rbHTML", &ListSettings::rbHTML),
            Format("rbSDV", &ListSettings::rbSDV),
            Flag("UseFileTimes", &ListSettings::UseFileTimes),
            Flag("IncludeAllFiles", &ListSettings::IncludeAllFiles),
            Flag("cbEXE", &ListSettings::cbEXE),
            Flag("cbZip", &ListSettings::cbZip),
            Flag("cbHTML", &ListSettings::cbHTML),
            Flag("cbImage", &ListSettings::cbImage),
            Flag("cbMPEG", &ListSettings::cbMPEG),
            Flag("cbURL", &ListSettings::cbURL),
            Flag("cbLNK", &ListSettings::cbLNK),
            Int("LongCaption", &ListSettings::LongCaption, 0, 2),
            Int("MaxCaptionLength", &ListSettings::MaxCaptionLength, 8, 255),
            Int("NumDigits", &ListSettings::NumDigits, 1, 9),
            Int("MaxLengthComment", &ListSettings::MaxLengthComment, 8, 255),
            Flag("cbDescript", &ListSettings::cbDescript),
            Flag("FormatSDV", &ListSettings::FormatSDV),
        };
        for (const OptionFlagField& f : kOptionFlagFields) {
            Binding o{{f.name, FieldKind::OptionFlag}};
            o.option = f.member;
            b.push_back(o);
        }
        b.push_back(List("ExcludedExtensions", &ListSettings::ExcludedExtensions));
        b.push_back(List("ExcludedFileNames", &ListSettings::ExcludedFileNames));
        b.push_back(List("ExcludedFolders", &ListSettings::ExcludedFolders));
        b.push_back(Flag("ExcludeAllSubfolders", &ListSettings::ExcludeAllSubfolders));
        return b;
    }();
    return bindings;
}

const Binding* FindBinding(std::string_view name) {
    for (const Binding& b : Bindings()) {
        if (utf8::EqualIgnoreCase(b.field.name, name)) return &b;
    }
    return nullptr;
}

std::string AllNames() {
    std::string names;
    for (const Binding& b : Bindings()) {
        if (!names.empty()) names += ", ";
        names += b.field.name;
    }
    return names;
}

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20};

struct SortName {
    SortCriterion criterion;
    std::string_view name;
};
constexpr SortName kSortNames[] = {{SortCriterion::Name, "Name"},
                                   {SortCriterion::Size, "Size"},
                                   {SortCriterion::Date, "Date"},
                                   {SortCriterion::Extension, "Extension"},
                                   {SortCriterion::None, "None"}};

TabuloError BadValue(const SettingField& field, std::string_view value) {
    return TabuloError("bad value '" + std::string(value) + "' for " + std::string(field.name) + ": expected " +
                       FieldValueHint(field));
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

std::vector<std::string> SplitList(std::string_view value) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= value.size()) {
        const auto end = value.find(';', start);
        const std::string_view item =
            value.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!item.empty()) items.emplace_back(item);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return items;
}

}  // namespace

bool ParseFlag(std::string_view text, bool& value) {
    const std::string lower = utf8::ToLower(text);
    if (lower == "on" || lower == "true" || lower == "yes" || lower == "1") return value = true, true;
    if (lower == "off" || lower == "false" || lower == "no" || lower == "0") return value = false, true;
    return false;
}

const std::vector<SettingField>& ListSettingFields() {
    static const std::vector<SettingField> fields = [] {
        std::vector<SettingField> f;
        for (const Binding& b : Bindings())
            f.push_back(b.field);
        return f;
    }();
    return fields;
}

const SettingField* FindSettingField(std::string_view name) {
    const Binding* b = FindBinding(name);
    return b ? &b->field : nullptr;
}

std::string FieldValueHint(const SettingField& field) {
    switch (field.kind) {
        case FieldKind::Flag:
        case FieldKind::Format:
        case FieldKind::OptionFlag:
            return "on or off";
        case FieldKind::Integer:
            return "a whole number from " + std::to_string(field.min) + " to " + std::to_string(field.max);
        case FieldKind::Text:
            return "a text";
        case FieldKind::TextList:
            return "entries separated by ';'";
        case FieldKind::Sort:
            return "Name, Size, Date, Extension or None";
        case FieldKind::Color:
            return "a colour as #RRGGBB";
        case FieldKind::FontSize:
            return "one of 8, 9, 10, 11, 12, 14, 16, 18, 20";
    }
    return {};
}

void SetListSetting(ListSettings& s, std::string_view name, std::string_view value) {
    const Binding* b = FindBinding(name);
    if (!b) throw TabuloError("unknown setting '" + std::string(name) + "'; valid names: " + AllNames());
    const SettingField& field = b->field;
    switch (field.kind) {
        case FieldKind::Flag: {
            bool v;
            if (!ParseFlag(value, v)) throw BadValue(field, value);
            s.*(b->flag) = v;
            break;
        }
        case FieldKind::Format: {
            bool v;
            if (!ParseFlag(value, v)) throw BadValue(field, value);
            // The three formats exclude each other; with none chosen the format is normal.
            if (v) s.rbNormal = s.rbHTML = s.rbSDV = false;
            s.*(b->flag) = v;
            if (!s.rbNormal && !s.rbHTML && !s.rbSDV) s.rbNormal = true;
            break;
        }
        case FieldKind::OptionFlag: {
            bool v;
            if (!ParseFlag(value, v)) throw BadValue(field, value);
            s.ListOptions.*(b->option) = v;
            // Lower and upper case exclude each other, as in the Options window.
            if (v && b->option == &OptionFlags::LowerCase) s.ListOptions.UpperCase = false;
            if (v && b->option == &OptionFlags::UpperCase) s.ListOptions.LowerCase = false;
            s.ArchiveOptions = SetArchiveOptions(s.ListOptions);
            break;
        }
        case FieldKind::Integer: {
            int v;
            if (!ParseInt(value, v) || v < field.min || v > field.max) throw BadValue(field, value);
            s.*(b->integer) = v;
            break;
        }
        case FieldKind::Text:
            s.*(b->text) = std::string(value);
            break;
        case FieldKind::TextList:
            s.*(b->list) = SplitList(value);
            break;
        case FieldKind::Sort: {
            for (const SortName& n : kSortNames) {
                if (utf8::EqualIgnoreCase(n.name, value)) {
                    s.SortCriteria = n.criterion;
                    return;
                }
            }
            throw BadValue(field, value);
        }
        case FieldKind::FontSize: {
            int v;
            if (!ParseInt(value, v)) throw BadValue(field, value);
            for (int size : kFontSizes) {
                if (size == v) {
                    s.FontSize = v;
                    return;
                }
            }
            throw BadValue(field, value);
        }
        case FieldKind::Color: {
            std::string_view hex = value;
            if (!hex.empty() && hex[0] == '#') hex.remove_prefix(1);
            unsigned rgb = 0;
            const char* end = hex.data() + hex.size();
            auto [ptr, ec] = std::from_chars(hex.data(), end, rgb, 16);
            if (hex.size() != 6 || ec != std::errc() || ptr != end) throw BadValue(field, value);
            // Stored as 0x00BBGGRR.
            s.FontColor = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
            break;
        }
    }
}

std::string GetListSetting(const ListSettings& s, std::string_view name) {
    const Binding* b = FindBinding(name);
    if (!b) throw TabuloError("unknown setting '" + std::string(name) + "'; valid names: " + AllNames());
    switch (b->field.kind) {
        case FieldKind::Flag:
        case FieldKind::Format:
            return s.*(b->flag) ? "on" : "off";
        case FieldKind::OptionFlag:
            return s.ListOptions.*(b->option) ? "on" : "off";
        case FieldKind::Integer:
            return std::to_string(s.*(b->integer));
        case FieldKind::Text:
            return s.*(b->text);
        case FieldKind::TextList: {
            std::string joined;
            for (const std::string& item : s.*(b->list))
                joined += (joined.empty() ? "" : ";") + item;
            return joined;
        }
        case FieldKind::Sort:
            for (const SortName& n : kSortNames) {
                if (n.criterion == s.SortCriteria) return std::string(n.name);
            }
            return "None";
        case FieldKind::FontSize:
            return std::to_string(s.FontSize);
        case FieldKind::Color: {
            const unsigned c = s.FontColor;
            char buf[8];
            std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
            return buf;
        }
    }
    return {};
}

}  // namespace tabulo
