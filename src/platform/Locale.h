#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/DateTime.h"

namespace tabulo {

// The regional settings a listing follows: date and time formats in Windows-style pattern
// letters, the thousands separator and the month and day names. Default-constructed values are
// fixed ones (dd.MM.yyyy, HH:mm:ss, HH:mm, ".") that tests pin; `Locale::FromEnvironment` reads
// the user's locale.
struct LocaleFormats {
    std::string shortDate = "dd.MM.yyyy";
    std::string longTime = "HH:mm:ss";
    std::string shortTime = "HH:mm";
    std::string thousandsSeparator = ".";
    DateNames names;
};

// Regional formats plus the collation used to order names. Copies share the collators, which
// are never changed after they are made (and compare safely from several threads).
class Locale {
  public:
    // Fixed formats and the collation of `collationLocale` (an ICU locale name such as "en_US").
    explicit Locale(LocaleFormats formats = {}, std::string_view collationLocale = "en_US");

    // Dates, times and month names from LC_TIME, the separator from LC_NUMERIC and the order of
    // names from LC_COLLATE (each falling back to LC_ALL and LANG as the C library does).
    static Locale FromEnvironment();
    // Everything from one locale name ("de_DE", "de_DE.UTF-8", "C").
    static Locale FromName(std::string_view name);
    // The formats ICU gives for a locale name, converted to Windows-style pattern letters.
    static LocaleFormats FormatsOf(std::string_view name);

    const LocaleFormats& Formats() const { return formats_; }
    LocaleFormats& MutableFormats() { return formats_; }

    // Case-sensitive locale order of two names (negative, 0, positive). Texts that differ only
    // in ways the collation ignores are ordered by their bytes, so only equal texts give 0.
    int Compare(std::string_view a, std::string_view b) const;

    // A text prepared for many comparisons (a list being sorted): what Compare would work out
    // about it on every call is worked out once.
    struct SortText {
        std::string_view text;
        bool commonLetters = false;  // made only of characters with their own weights
    };
    static SortText Prepare(std::string_view text);
    int Compare(const SortText& a, const SortText& b) const;
    // Locale order ignoring case; names equal but for case fall back to Compare.
    int CompareIgnoreCase(std::string_view a, std::string_view b) const;

    std::string ShortDate(const LocalDateTime& value) const;
    std::string LongTime(const LocalDateTime& value) const;
    void AppendShortDate(std::string& out, const LocalDateTime& value) const;
    void AppendLongTime(std::string& out, const LocalDateTime& value) const;

  private:
    struct Collators;

    LocaleFormats formats_;
    std::shared_ptr<const Collators> collators_;
};

// ICU locale name for a POSIX locale name ("de_DE.UTF-8@euro" gives "de_DE"; "C" and "POSIX"
// give "en_US_POSIX").
std::string IcuLocaleName(std::string_view posixName);

// The locale name the C library would use for a category ("LC_TIME", ...): LC_ALL, then the
// category, then LANG, then "C".
std::string LocaleNameForCategory(const char* category);

}  // namespace tabulo
