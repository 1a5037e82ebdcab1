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

int EntryOrder::CompareDated(const TFileItem& a, const CivilDate& da, const TFileItem& b, const CivilDate& db) const {
    int r;
    if (da != db)
        r = da < db ? -1 : 1;
    else if (settings_.IncludeTime)
        r = locale_.Compare(a.Time, b.Time);
    else
        r = CompareNames(a, b);
    return settings_.Descending ? -r : r;
}

int EntryOrder::CompareEntries(const TFileItem& a, const TFileItem& b) const {
    int r = 0;
    switch (settings_.SortCriteria) {
        case SortCriterion::Name:
            r = CompareNames(a, b);
            break;
        case SortCriterion::Size:
            if (a.Size == b.Size)
                r = CompareNames(a, b);
            else
                r = a.Size < b.Size ? -1 : 1;
            break;
        case SortCriterion::Date:
            return CompareDated(a, ReadDate(a.Date), b, ReadDate(b.Date));
        case SortCriterion::Extension:
            r = locale_.Compare(ExtensionOf(a.Name), ExtensionOf(b.Name));
            if (r == 0) r = CompareNames(a, b);
            break;
        case SortCriterion::None:
            r = 0;
            break;
    }
    return settings_.Descending ? -r : r;
}

std::vector<std::size_t> EntryOrder::SortedOrder(const std::vector<TFileItem>& entries) const {
    const SortCriterion criterion = settings_.SortCriteria;
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    if (entries.size() < 2 || criterion == SortCriterion::None) return order;
    if (criterion == SortCriterion::Date && !settings_.IncludeDate) return order;  // no dates: the order found stays

    // What a comparison needs besides the names is worked out once per entry: the extensions,
    // and the dates read from their texts. Entries are sorted by index and moved once.
    const std::size_t n = entries.size();
    const bool byTime = criterion == SortCriterion::Date && settings_.IncludeTime;
    std::vector<CivilDate> dates;
    if (criterion == SortCriterion::Date) {
        dates.reserve(n);
        for (const TFileItem& e : entries)
            dates.push_back(ReadDate(e.Date));
    }
    std::vector<Locale::SortText> names(n);
    for (std::size_t i = 0; i < n; ++i)
        names[i] = Locale::Prepare(entries[i].Name);
    auto byName = [&](std::size_t a, std::size_t b) { return locale_.Compare(names[a], names[b]); };
    auto compare = [&](std::size_t a, std::size_t b) {
        int r = 0;
        switch (criterion) {
            case SortCriterion::Name:
                r = byName(a, b);
                break;
            case SortCriterion::Size:
                r = entries[a].Size == entries[b].Size ? byName(a, b) : (entries[a].Size < entries[b].Size ? -1 : 1);
                break;
            case SortCriterion::Date:
                if (dates[a] != dates[b])
                    r = dates[a] < dates[b] ? -1 : 1;
                else if (byTime)
                    r = locale_.Compare(entries[a].Time, entries[b].Time);
                else
                    r = byName(a, b);
                break;
            case SortCriterion::Extension:
                r = locale_.Compare(ExtensionOf(entries[a].Name), ExtensionOf(entries[b].Name));
                if (r == 0) r = byName(a, b);
                break;
            case SortCriterion::None:
                break;
        }
        return settings_.Descending ? -r : r;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    return order;
}

void EntryOrder::Sort(std::vector<TFileItem>& entries) const {
    const std::vector<std::size_t> order = SortedOrder(entries);
    std::vector<TFileItem> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}

}  // namespace tabulo
