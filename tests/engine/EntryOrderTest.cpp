#include <gtest/gtest.h>

#include "engine/EntryOrder.h"
#include "platform/TabuloError.h"

namespace tabulo {
namespace {

TFileItem Item(std::string name, std::int64_t size = 0, std::string date = "", std::string time = "") {
    return NewCurrentItem(std::move(name), std::move(date), size, std::move(time), 0);
}

std::vector<std::string> SortedNames(const ListSettings& settings, const Locale& locale, std::vector<TFileItem> items) {
    EntryOrder(settings, locale, 2026).Sort(items);
    std::vector<std::string> names;
    for (const TFileItem& i : items)
        names.push_back(i.Name);
    return names;
}

TEST(EntryOrder, ByNameSizeAndExtension) {
    const Locale locale({}, "en_US");
    ListSettings s;
    const std::vector<TFileItem> items = {Item("b.txt", 5), Item("B.doc", 5), Item("a", 10), Item("A.txt", 1)};

    // Letters before case: "B.doc" comes before "b.txt" because d comes before t.
    s.SortCriteria = SortCriterion::Name;
    EXPECT_EQ((std::vector<std::string>{"a", "A.txt", "B.doc", "b.txt"}), SortedNames(s, locale, items));

    s.SortCriteria = SortCriterion::Size;  // equal sizes fall back to the names
    EXPECT_EQ((std::vector<std::string>{"A.txt", "B.doc", "b.txt", "a"}), SortedNames(s, locale, items));
    s.Descending = true;  // descending reverses the tie-break too
    EXPECT_EQ((std::vector<std::string>{"a", "b.txt", "B.doc", "A.txt"}), SortedNames(s, locale, items));

    s.Descending = false;
    s.SortCriteria = SortCriterion::Extension;  // no extension first
    EXPECT_EQ((std::vector<std::string>{"a", "B.doc", "A.txt", "b.txt"}), SortedNames(s, locale, items));

    s.SortCriteria = SortCriterion::None;
    EXPECT_EQ((std::vector<std::string>{"b.txt", "B.doc", "a", "A.txt"}), SortedNames(s, locale, items));
}

TEST(EntryOrder, SizesAreSixtyFourBit) {
    const Locale locale;
    ListSettings s;
    s.SortCriteria = SortCriterion::Size;
    EXPECT_EQ((std::vector<std::string>{"small", "big"}),
              SortedNames(s, locale, {Item("big", 5000000000), Item("small", 705032704)}));
}

TEST(EntryOrder, ByDate) {
    LocaleFormats f;
    f.shortDate = "dd.MM.yyyy";
    const Locale locale(f, "en_US");
    ListSettings s;
    s.SortCriteria = SortCriterion::Date;
    const std::vector<TFileItem> items = {Item("c", 0, "02.01.2005", "10:00:00"), Item("b", 0, "01.02.2004", "9:00:00"),
                                          Item("a", 0, "02.01.2005", "9:00:00")};
    // Equal dates go by name without the time...
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), SortedNames(s, locale, items));
    // ...and by the time texts, as texts, with it: 9:00:00 sorts after 10:00:00.
    s.IncludeTime = true;
    EXPECT_EQ((std::vector<std::string>{"b", "c", "a"}), SortedNames(s, locale, items));
    // Without dates the order found stays.
    s.IncludeDate = false;
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), SortedNames(s, locale, items));
}

TEST(EntryOrder, MonthNamesAreComparedAsNumbers) {
    LocaleFormats f;
    f.shortDate = "dd-MMM-yyyy";
    const Locale locale(f, "en_US");
    ListSettings s;
    s.SortCriteria = SortCriterion::Date;
    // Alphabetically "Apr" < "Feb" < "Jan"; by month it is the other way round.
    EXPECT_EQ(
        (std::vector<std::string>{"jan", "feb", "apr"}),
        SortedNames(s, locale,
                    {Item("apr", 0, "01-Apr-2004"), Item("jan", 0, "01-Jan-2004"), Item("feb", 0, "01-Feb-2004")}));
    EXPECT_EQ("01-4-2004", MonthNamesToNumbers("01-apr-2004", f.names));
    EXPECT_EQ("no month", MonthNamesToNumbers("no month", f.names));
    // With several names the highest month found decides.
    EXPECT_EQ("Jan 12", MonthNamesToNumbers("Jan Dec", f.names));
}

TEST(EntryOrder, UnreadableDateStopsTheSort) {
    const Locale locale;
    ListSettings s;
    s.SortCriteria = SortCriterion::Date;
    std::vector<TFileItem> items = {Item("a", 0, "01.02.2006"), Item("b", 0, "01.02.2006 10:00")};
    try {
        EntryOrder(s, locale, 2026).Sort(items);
        ADD_FAILURE() << "no error";
    } catch (const TabuloError& e) {
        EXPECT_EQ(std::string("'01.02.2006 10:00' is not a valid date"), e.what());
    }
}

}  // namespace
}  // namespace tabulo
