#include "platform/Locale.h"

#include <unicode/coll.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/tblcoll.h>
#include <unicode/uniset.h>
#include <unicode/usetiter.h>

#include <algorithm>
#include <array>

#include <cstdlib>
#include <cstring>

namespace tabulo {

// Per-character sort keys of printable ASCII, level by level, so two ASCII names compare
// without going through the collator: comparing the concatenated weights of each level in turn
// is what comparing the names' sort keys does. Only built when no contraction joins ASCII
// characters.
class AsciiWeights {
public:
    static std::unique_ptr<AsciiWeights> For(const icu::Collator& collator) {
        const auto* rules = dynamic_cast<const icu::RuleBasedCollator*>(&collator);
        if (!rules) return nullptr;
        UErrorCode status = U_ZERO_ERROR;
        if (collator.getAttribute(UCOL_ALTERNATE_HANDLING, status) != UCOL_NON_IGNORABLE ||
            collator.getAttribute(UCOL_NUMERIC_COLLATION, status) != UCOL_OFF ||
            collator.getAttribute(UCOL_FRENCH_COLLATION, status) != UCOL_OFF || U_FAILURE(status)) {
            return nullptr;
        }
        // Characters that expand into several weights are fine (their key holds them all), but a
        // contraction of several ASCII characters into one weight is not. The root collation has
        // none; a locale that tailors one (Danish "aa", Czech "ch") is left to the collator.
        std::unique_ptr<icu::UnicodeSet> tailored(rules->getTailoredSet(status));
        const icu::UnicodeSet ascii(0x20, 0x7E);
        if (U_FAILURE(status) || !tailored) return nullptr;
        for (icu::UnicodeSetIterator it(*tailored); it.next();) {
            if (it.isString() && ascii.containsAll(it.getString())) return nullptr;  // such as Danish "aa"
        }

        auto weights = std::make_unique<AsciiWeights>();
        for (int c = 0x20; c <= 0x7E; ++c) {
            const icu::UnicodeString one(static_cast<UChar>(c));
            uint8_t key[64];
            const int32_t size = collator.getSortKey(one, key, static_cast<int32_t>(sizeof key));
            if (size <= 0 || size > static_cast<int32_t>(sizeof key)) return nullptr;
            std::size_t level = 0;
            for (int32_t i = 0; i < size - 1; ++i) {  // the last byte ends the key
                if (key[i] == 1) {
                    if (++level >= kLevels) return nullptr;
                } else {
                    Weight& w = weights->levels_[level][static_cast<std::size_t>(c - 0x20)];
                    if (w.length == sizeof w.bytes) return nullptr;
                    w.bytes[w.length++] = key[i];
                }
            }
            weights->levelCount_ = std::max(weights->levelCount_, level + 1);
        }
        return weights;
    }

    static bool Printable(std::string_view s) {
        for (char c : s) {
            if (c < 0x20 || c > 0x7E) return false;
        }
        return true;
    }

    // Compares two printable-ASCII texts as the collator would: 0 when it holds them equal.
    int Compare(std::string_view a, std::string_view b) const {
        // Weights do not depend on neighbours, so a common beginning weighs the same on both sides.
        std::size_t k = 0;
        const std::size_t common = std::min(a.size(), b.size());
        while (k < common && a[k] == b[k]) ++k;
        if (k == a.size() && k == b.size()) return 0;
        a.remove_prefix(k);
        b.remove_prefix(k);
        for (std::size_t level = 0; level < levelCount_; ++level) {
            if (const int r = CompareLevel(levels_[level], a, b)) return r;
        }
        return 0;
    }

private:
    static constexpr std::size_t kLevels = 5;
    struct Weight {
        std::uint8_t length = 0;
        std::uint8_t bytes[15] = {};
    };
    using Table = std::array<Weight, 95>;

    // Compares the concatenated weights of one level, byte by byte.
    static int CompareLevel(const Table& table, std::string_view a, std::string_view b) {
        std::size_t ia = 0, ib = 0, oa = 0, ob = 0;
        for (;;) {
            while (ia < a.size() && oa == table[static_cast<std::size_t>(a[ia] - 0x20)].length) ++ia, oa = 0;
            while (ib < b.size() && ob == table[static_cast<std::size_t>(b[ib] - 0x20)].length) ++ib, ob = 0;
            const bool endA = ia == a.size(), endB = ib == b.size();
            if (endA || endB) return endA == endB ? 0 : (endA ? -1 : 1);
            const std::uint8_t wa = table[static_cast<std::size_t>(a[ia] - 0x20)].bytes[oa++];
            const std::uint8_t wb = table[static_cast<std::size_t>(b[ib] - 0x20)].bytes[ob++];
            if (wa != wb) return wa < wb ? -1 : 1;
        }
    }

    std::array<Table, kLevels> levels_;
    std::size_t levelCount_ = 0;
};

struct Locale::Collators {
    std::string name;
    std::unique_ptr<icu::Collator> caseSensitive;
    std::unique_ptr<icu::Collator> ignoreCase;
    std::unique_ptr<AsciiWeights> ascii;

    explicit Collators(std::string_view localeName) : name(localeName) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale loc(name.c_str());
        caseSensitive.reset(icu::Collator::createInstance(loc, status));
        if (U_FAILURE(status) || !caseSensitive) {
            status = U_ZERO_ERROR;
            caseSensitive.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        }
        if (caseSensitive) {
            caseSensitive->setStrength(icu::Collator::TERTIARY);
            ignoreCase.reset(caseSensitive->clone());
            ignoreCase->setStrength(icu::Collator::SECONDARY);
            ascii = AsciiWeights::For(*caseSensitive);
        }
    }
};

Locale::Locale(LocaleFormats formats, std::string_view collationLocale)
    : formats_(std::move(formats)), collators_(std::make_shared<const Collators>(collationLocale)) {}

namespace {

int CollatorCompare(const icu::Collator* collator, std::string_view a, std::string_view b) {
    if (collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r = collator->compareUTF8(
            icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
            icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
        if (U_SUCCESS(status) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    }
    return 0;
}

std::string ToUtf8(const icu::UnicodeString& u) {
    std::string s;
    u.toUTF8String(s);
    return s;
}

// Converts an ICU date/time pattern to Windows-style letters.
std::string WindowsPattern(const icu::UnicodeString& icuPattern) {
    std::string in = ToUtf8(icuPattern);
    std::string out;
    for (std::size_t i = 0; i < in.size();) {
        const char c = in[i];
        if (c == '\'') {  // quoted literal: copied with its quotes
            std::size_t j = in.find('\'', i + 1);
            if (j == std::string::npos) j = in.size() - 1;
            out.append(in, i, j - i + 1);
            i = j + 1;
            continue;
        }
        std::size_t n = 1;
        while (i + n < in.size() && in[i + n] == c) ++n;
        auto repeat = [&](char letter, std::size_t count) { out.append(count, letter); };
        switch (c) {
            case 'y':
            case 'u': repeat('y', n == 2 ? 2 : 4); break;
            case 'M':
            case 'L': repeat('M', n > 4 ? 4 : n); break;
            case 'd': repeat('d', n > 2 ? 2 : n); break;
            case 'E':
            case 'c':
            case 'e': repeat('d', n <= 3 ? 3 : 4); break;
            case 'H':
            case 'k': repeat('H', n > 2 ? 2 : n); break;
            case 'h':
            case 'K': repeat('h', n > 2 ? 2 : n); break;
            case 'm': repeat('m', n > 2 ? 2 : n); break;
            case 's': repeat('s', n > 2 ? 2 : n); break;
            case 'a':
            case 'b':
            case 'B': out += "tt"; break;
            default:
                if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) break;  // fields we do not show
                out.append(in, i, n);
        }
        i += n;
    }
    // Narrow and ordinary no-break spaces become plain blanks, as in the system formats.
    for (const char* nbsp : {"\xE2\x80\xAF", "\xC2\xA0"}) {
        for (std::size_t p; (p = out.find(nbsp)) != std::string::npos;) out.replace(p, std::strlen(nbsp), " ");
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    while (!out.empty() && out.front() == ' ') out.erase(0, 1);
    return out;
}

std::string PatternOf(icu::DateFormat* format) {
    std::unique_ptr<icu::DateFormat> owned(format);
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(owned.get());
    if (!simple) return {};
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return WindowsPattern(pattern);
}

}  // namespace

Locale::SortText Locale::Prepare(std::string_view text) { return SortText{text, AsciiWeights::Printable(text)}; }

int Locale::Compare(const SortText& a, const SortText& b) const {
    const AsciiWeights* ascii = collators_->ascii.get();
    if (ascii && a.printableAscii && b.printableAscii) {
        if (const int r = ascii->Compare(a.text, b.text)) return r;
    } else if (const int r = CollatorCompare(collators_->caseSensitive.get(), a.text, b.text)) {
        return r;
    }
    const int r = a.text.compare(b.text);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int Locale::Compare(std::string_view a, std::string_view b) const { return Compare(Prepare(a), Prepare(b)); }

int Locale::CompareIgnoreCase(std::string_view a, std::string_view b) const {
    if (const int r = CollatorCompare(collators_->ignoreCase.get(), a, b)) return r;
    return Compare(a, b);
}

void Locale::AppendShortDate(std::string& out, const LocalDateTime& value) const {
    AppendDateTime(out, formats_.shortDate, value, formats_.names);
}

void Locale::AppendLongTime(std::string& out, const LocalDateTime& value) const {
    AppendDateTime(out, formats_.longTime, value, formats_.names);
}

std::string Locale::ShortDate(const LocalDateTime& value) const {
    std::string s;
    AppendShortDate(s, value);
    return s;
}

std::string Locale::LongTime(const LocalDateTime& value) const {
    std::string s;
    AppendLongTime(s, value);
    return s;
}

std::string IcuLocaleName(std::string_view posixName) {
    std::string name(posixName.substr(0, posixName.find_first_of(".@")));
    if (name.empty() || name == "C" || name == "POSIX") return "en_US_POSIX";
    return name;
}

std::string LocaleNameForCategory(const char* category) {
    for (const char* var : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) return value;
    }
    return "C";
}

LocaleFormats Locale::FormatsOf(std::string_view name) {
    LocaleFormats f;
    const std::string icuName = IcuLocaleName(name);
    const icu::Locale loc(icuName.c_str());

    std::string shortDate = PatternOf(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, loc));
    // System short dates carry four-digit years.
    if (shortDate.find("yyyy") == std::string::npos) {
        if (const auto p = shortDate.find("yy"); p != std::string::npos) shortDate.replace(p, 2, "yyyy");
    }
    if (!shortDate.empty()) f.shortDate = shortDate;
    if (auto t = PatternOf(icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, loc)); !t.empty()) {
        f.longTime = t;
    }
    if (auto t = PatternOf(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, loc)); !t.empty()) {
        f.shortTime = t;
    }

    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols numbers(loc, status);
    if (U_SUCCESS(status)) {
        f.thousandsSeparator = ToUtf8(numbers.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    }

    status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(loc, status);
    if (U_SUCCESS(status)) {
        int32_t count = 0;
        const icu::UnicodeString* shortMonths = symbols.getMonths(
            count, icu::DateFormatSymbols::STANDALONE, icu::DateFormatSymbols::ABBREVIATED);
        for (int32_t i = 0; i < count && i < 12; ++i) {
            std::string m = ToUtf8(shortMonths[i]);
            if (!m.empty() && m.back() == '.') m.pop_back();
            f.names.shortMonths[static_cast<std::size_t>(i)] = m;
        }
        const icu::UnicodeString* longMonths =
            symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
        for (int32_t i = 0; i < count && i < 12; ++i) f.names.longMonths[static_cast<std::size_t>(i)] = ToUtf8(longMonths[i]);
        // Weekday arrays are indexed 1 (Sunday) to 7.
        const icu::UnicodeString* shortDays = symbols.getShortWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i) f.names.shortDays[static_cast<std::size_t>(i - 1)] = ToUtf8(shortDays[i]);
        const icu::UnicodeString* longDays = symbols.getWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i) f.names.longDays[static_cast<std::size_t>(i - 1)] = ToUtf8(longDays[i]);
        const icu::UnicodeString* ampm = symbols.getAmPmStrings(count);
        if (count >= 2) f.names.am = ToUtf8(ampm[0]), f.names.pm = ToUtf8(ampm[1]);
    }
    return f;
}

Locale Locale::FromName(std::string_view name) {
    return Locale(FormatsOf(name), IcuLocaleName(name));
}

Locale Locale::FromEnvironment() {
    const std::string timeName = LocaleNameForCategory("LC_TIME");
    const std::string numericName = LocaleNameForCategory("LC_NUMERIC");
    LocaleFormats time = FormatsOf(timeName);
    if (IcuLocaleName(numericName) != IcuLocaleName(timeName)) {
        time.thousandsSeparator = FormatsOf(numericName).thousandsSeparator;
    }
    return Locale(std::move(time), IcuLocaleName(LocaleNameForCategory("LC_COLLATE")));
}

}  // namespace tabulo
