#include "catalog/CatalogFields.h"

#include <charconv>

namespace tabulo {

CatalogFields ExtractFields(std::string_view line) {
    CatalogFields fields;
    auto slash = line.find('/');
    if (slash == std::string_view::npos) {
        fields.path = line;
        return fields;
    }
    fields.path = line.substr(0, slash);
    std::string_view rest = line.substr(slash + 1);
    slash = rest.find('/');
    if (slash == std::string_view::npos) {
        fields.size = rest;
        return fields;
    }
    fields.size = rest.substr(0, slash);
    rest = rest.substr(slash + 1);
    const auto mark = rest.find('>');
    if (mark == std::string_view::npos) {
        fields.date = rest;
        return fields;
    }
    fields.date = rest.substr(0, mark);
    fields.description = rest.substr(mark + 1);
    if (!fields.description.empty() && fields.description.front() == '>') fields.description.remove_prefix(1);
    return fields;
}

std::optional<std::int64_t> ParseCatalogSize(std::string_view text) {
    // An optional sign, then digits only; from_chars reads a "-" but no "+".
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (start >= text.size() || text[start] < '0' || text[start] > '9') return std::nullopt;
    if (text[0] == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string_view CatalogFolderOf(std::string_view path) {
    const auto sep = path.rfind('\\');
    if (sep == std::string_view::npos) return {};
    if (sep == 0) return path.substr(0, 1);
    if (sep == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, sep);
}

std::string_view CatalogNameOf(std::string_view path) {
    const auto sep = path.rfind('\\');
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

}  // namespace tabulo
