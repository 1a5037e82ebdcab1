#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <unicode/coll.h>

#include <memory>

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

namespace tabulo {
namespace {

// The shortcut of Compare for names of common letters must order exactly as the collator does,
// in every locale, also for names it leaves to the collator.
TEST(Locale, NamesOrderAsTheCollatorDoes) {
    std::vector<std::string> alphabet;
    for (char c = 0x20; c <= 0x7E; ++c)
        alphabet.emplace_back(1, c);
    for (const char* c :
         {"\xC3\xA9",     "\xC3\x89",     "\xC3\xBC", "\xC3\x9F", "\xC3\xA6", "\xC3\x85", "\xC3\xB1", "\xC2\xB7",
          "\xC5\x82",     "\xC5\x9B",     "\xC4\xB1", "\xC4\xB0", "\xC7\x85", "\xCE\xA9", "\xCE\xB1", "\xCE\x87",
          "\xD0\x9F",     "\xD0\xB8",     "\xD0\xB9", "\xD1\x91", "\xCC\x81", "\xCC\x88", "\xCC\xA3", "\xE6\x97\xA5",
          "\xEA\xB0\x80", "\xEF\xAC\x81", "\xC2\xA0", "\xC2\xAD", "\xC8\x9E", "\xC4\x8D", "\xFF"}) {
        alphabet.emplace_back(c);
    }
    std::uint32_t seed = 12345;
    auto next = [&seed]() { return seed = seed * 1103515245u + 12345u; };
    for (const char* name : {"en_US", "de_DE", "C", "fr_FR", "da_DK", "cs_CZ", "sv_SE", "ja_JP", "hu_HU", "ru_RU",
                             "el_GR", "tr_TR", "es_ES", "pl_PL", "lt_LT"}) {
        SCOPED_TRACE(name);
        const Locale locale({}, IcuLocaleName(name));
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> collator(
            icu::Collator::createInstance(icu::Locale(IcuLocaleName(name).c_str()), status));
        ASSERT_TRUE(U_SUCCESS(status));
        collator->setStrength(icu::Collator::TERTIARY);
        auto reference = [&](const std::string& a, const std::string& b) {
            UErrorCode s = U_ZERO_ERROR;
            const UCollationResult r = collator->compareUTF8(a, b, s);
            if (r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
            return a < b ? -1 : (a > b ? 1 : 0);
        };
        std::vector<std::string> words = {"ch",
                                          "cH",
                                          "Ch",
                                          "h",
                                          "c",
                                          "aa",
                                          "Aa",
                                          "AA",
                                          "a-b",
                                          "ab",
                                          "a b",
                                          "10",
                                          "9",
                                          "",
                                          "cs",
                                          "ccs",
                                          "l\xC2\xB7l",
                                          "L\xC2\xB7",
                                          "\xC3\xA5",
                                          "a\xCC\x8A",
                                          "a\xCC\x81\xCC\xA3",
                                          "a\xCC\xA3\xCC\x81",
                                          "\xC3\xA1\xCC\xA3"};
        for (const std::string& c : alphabet)
            words.push_back(c);
        for (int i = 0; i < 700; ++i) {
            std::string w;
            const std::size_t length = 1 + next() % 5;
            for (std::size_t k = 0; k < length; ++k)
                w += alphabet[(next() >> 8) % alphabet.size()];
            words.push_back(w);
        }
        for (std::size_t i = 0; i < words.size(); ++i) {
            for (std::size_t j = i % 3; j < words.size(); j += 3) {
                ASSERT_EQ(reference(words[i], words[j]), locale.Compare(words[i], words[j]))
                    << "'" << words[i] << "' vs '" << words[j] << "'";
            }
        }
    }
}

}  // namespace
}  // namespace tabulo
