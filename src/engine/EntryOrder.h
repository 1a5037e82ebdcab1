#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/FileItem.h"
#include "engine/ListSettings.h"
#include "platform/Locale.h"

namespace tabulo {

// Orders the entries of one list by the chosen criterion and direction.
class EntryOrder {
  public:
    // `currentYear` places two-digit years of date texts.
    EntryOrder(const ListSettings& settings, const Locale& locale, int currentYear);

    // Negative, zero or positive: a before b, equal, a after b.
    int CompareEntries(const TFileItem& a, const TFileItem& b) const;

    // Sorts the list; a "Date" order without dates leaves it in the order found. Throws
    // TabuloError "'<text>' is not a valid date" for a date text it cannot read.
    void Sort(std::vector<TFileItem>& entries) const;
    // The positions of the entries in sorted order, leaving the list as it is.
    std::vector<std::size_t> SortedOrder(const std::vector<TFileItem>& entries) const;

    // The date of an entry's Date text (month names turned into numbers first when the short
    // date format writes them).
    CivilDate ReadDate(const std::string& text) const;

  private:
    int CompareNames(const TFileItem& a, const TFileItem& b) const;
    int CompareDated(const TFileItem& a, const CivilDate& da, const TFileItem& b, const CivilDate& db) const;

    const ListSettings& settings_;
    const Locale& locale_;
    int currentYear_;
    bool monthNames_;
};

// Replaces the first month name found (ignoring case) by its number; when several occur, the
// highest-numbered month decides. Texts without a month name are returned unchanged.
std::string MonthNamesToNumbers(std::string_view text, const DateNames& names);

// The extension of a name: from its last "." on, dot included; empty without a dot.
std::string_view ExtensionOf(std::string_view name);

}  // namespace tabulo
