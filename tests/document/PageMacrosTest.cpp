#include <gtest/gtest.h>

#include "document/PageMacros.h"

namespace tabulo {
namespace {

TEST(PageMacros, ExpandsInAnyCase) {
    const std::pair<const char*, const char*> rows[] = {
        {"-- Page %p of %t -- %d", "-- Page 2 of 15 -- 01.02.2024 09:05:03"},
        {"%P/%T %D", "2/15 01.02.2024 09:05:03"},
        {"Page by Tabulo Pro", "Page by Tabulo Pro"},
        {"", ""},
        {"100%%p %x %", "100%2 %x %"},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(expected, ExpandPageMacros(text, 2, 15, "01.02.2024 09:05:03"));
    }
}

TEST(PageMacros, DateTimeUsesShortDateAndLongTime) {
    LocalDateTime now;
    now.date = {2024, 2, 1};
    now.hour = 9;
    now.minute = 5;
    now.second = 3;
    EXPECT_EQ("01.02.2024 09:05:03", PageDateTime(Locale(), now));
}

TEST(PageMacros, HeaderAboveAndFooterInsideThePrintArea) {
    const PrintArea area{100, 200, 1101, 3000};
    EXPECT_EQ((TextOrigin{350, 150}), HeaderOrigin(area, 501, 40));
    EXPECT_EQ((TextOrigin{350, 2950}), FooterOrigin(area, 501, 40));
    // Integer halves round toward zero, also for text wider than the page.
    EXPECT_EQ((TextOrigin{-1, -20}), HeaderOrigin({0, 0, 5, 100}, 8, 10));
}

TEST(PageMacros, FontStartsFromNormalText) {
    TextStyle normal = DefaultTextStyles()[0];
    normal.bold = true;
    const TextStyle font = PageTextFont(normal, "Tahoma", kColorNavy, 9);
    EXPECT_EQ("Tahoma", font.fontName);
    EXPECT_EQ(kColorNavy, font.color);
    EXPECT_EQ(9, font.size);
    EXPECT_TRUE(font.bold);
}

}  // namespace
}  // namespace tabulo
