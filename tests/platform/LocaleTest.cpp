#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Locale.h"

namespace tabulo {
namespace {

TEST(Locale, FormatsComeFromTheLocaleInWindowsLetters) {
    struct Row {
        const char* locale;
        const char* shortDate;
        const char* longTime;
        const char* separator;
    };
    const Row rows[] = {
        {"de_DE.UTF-8", "dd.MM.yyyy", "HH:mm:ss", "."},
        {"en_US", "M/d/yyyy", "h:mm:ss tt", ","},
        {"C", "M/d/yyyy", "h:mm:ss tt", ","},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        const LocaleFormats f = Locale::FormatsOf(row.locale);
        EXPECT_EQ(row.shortDate, f.shortDate);
        EXPECT_EQ(row.longTime, f.longTime);
        EXPECT_EQ(row.separator, f.thousandsSeparator);
    }
    EXPECT_EQ("Jan", Locale::FormatsOf("en_US").names.shortMonths[0]);
}

TEST(Locale, NameOrderFollowsTheLocaleAndKeepsCase) {
    const Locale locale({}, "en_US");
    std::vector<std::string> names = {"b", "B", "a", "A", "\xC3\xA4", "Z"};
    std::sort(names.begin(), names.end(),
              [&](const std::string& x, const std::string& y) { return locale.Compare(x, y) < 0; });
    // Lower case before upper case of the same letter, and never all upper-case names first.
    EXPECT_EQ((std::vector<std::string>{"a", "A", "\xC3\xA4", "b", "B", "Z"}), names);
    EXPECT_NE(0, locale.Compare("a", "A"));
    EXPECT_LT(locale.CompareIgnoreCase("apple", "Banana"), 0);
    EXPECT_EQ(0, locale.Compare("same", "same"));
}

}  // namespace
}  // namespace tabulo
