#include "engine/EntryOrder.h"

#include <algorithm>
#include <numeric>

#include "platform/Utf8.h"

namespace tabulo {

std::string_view ExtensionOf(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

namespace {

// Byte offset of the first occurrence of `needle` in `text` ignoring case, or npos.
std::size_t FindIgnoreCase(std::string_view text, std::string_view needle) {
    const std::size_t chars = utf8::CharCount(needle);
    for (std::size_t i = 0; i < text.size(); i += utf8::CharLength(text, i)) {
        const std::size_t len = utf8::OffsetOfChar(text.substr(i), chars);
        if (utf8::EqualIgnoreCase(text.substr(i, len), needle)) return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::string MonthNamesToNumbers(std::string_view text, const DateNames& names) {
    std::string result(text);
    for (int m = 1; m <= 12; ++m) {
        const std::string& month = names.shortMonths[static_cast<std::size_t>(m - 1)];
        if (month.empty()) continue;
        const std::size_t at = FindIgnoreCase(text, month);
        if (at == std::string_view::npos) continue;
        const std::size_t len = utf8::OffsetOfChar(text.substr(at), utf8::CharCount(month));
        result = std::string(text.substr(0, at)) + std::to_string(m) + std::string(text.substr(at + len));
    }
    return result;
}

EntryOrder::EntryOrder(const ListSettings& settings, const Locale& locale, int currentYear)
    : settings_(settings), locale_(locale), currentYear_(currentYear) {
    monthNames_ = utf8::ToUpper(locale.Formats().shortDate).find("MMM") != std::string::npos;
}

CivilDate EntryOrder::ReadDate(const std::string& text) const {
    const std::string& format = locale_.Formats().shortDate;
    if (monthNames_) return ParseDate(MonthNamesToNumbers(text, locale_.Formats().names), format, currentYear_);
    return ParseDate(text, format, currentYear_);
}

int EntryOrder::CompareNames(const TFileItem& a, const TFileItem& b) const {
    return locale_.Compare(a.Name, b.Name);
}

int EntryOrder::CompareDated(const TFileItem& a, const CivilDate& da, const TFileItem& b,
                             const CivilDate& db) const {
    int r;
    if (da != db) r = da < db ? -1 : 1;
    else if (settings_.IncludeTime) r = locale_.Compare(a.Time, b.Time);
    else r = CompareNames(a, b);
    return settings_.Descending ? -r : r;
}

int EntryOrder::CompareEntries(const TFileItem& a, const TFileItem& b) const {
    int r = 0;
    switch (settings_.SortCriteria) {
        case SortCriterion::Name: r = CompareNames(a, b); break;
        case SortCriterion::Size:
            if (a.Size == b.Size) r = CompareNames(a, b);
            else r = a.Size < b.Size ? -1 : 1;
            break;
        case SortCriterion::Date: return CompareDated(a, ReadDate(a.Date), b, ReadDate(b.Date));
        case SortCriterion::Extension:
            r = locale_.Compare(ExtensionOf(a.Name), ExtensionOf(b.Name));
            if (r == 0) r = CompareNames(a, b);
            break;
        case SortCriterion::None: r = 0; break;
    }
    return settings_.Descending ? -r : r;
}

void EntryOrder::Sort(std::vector<TFileItem>& entries) const {
    if (entries.size() < 2 || settings_.SortCriteria == SortCriterion::None) return;
    if (settings_.SortCriteria != SortCriterion::Date) {
        std::stable_sort(entries.begin(), entries.end(),
                         [this](const TFileItem& a, const TFileItem& b) { return CompareEntries(a, b) < 0; });
        return;
    }
    if (!settings_.IncludeDate) return;  // the date texts are empty: the order found stays
    // Each date text is read once, before sorting.
    std::vector<CivilDate> dates;
    dates.reserve(entries.size());
    for (const TFileItem& e : entries) dates.push_back(ReadDate(e.Date));
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return CompareDated(entries[x], dates[x], entries[y], dates[y]) < 0;
    });
    std::vector<TFileItem> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}

}  // namespace tabulo
