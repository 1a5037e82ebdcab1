#include "platform/Locale.h"

#include <unicode/coll.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/tblcoll.h>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/usetiter.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/Utf8.h"

#include <cstdlib>
#include <cstring>

namespace tabulo {

// Per-character sort keys, level by level, of the characters most names are made of (printable
// ASCII, Latin-1, Latin Extended A and B, Greek, Cyrillic), so two names made only of them
// compare without going through the collator: comparing the concatenated weights of each level
// in turn is what comparing the names' sort keys does. That holds as long as no contraction
// joins such characters into one weight; the root collation has none among them once the
// middle dots of "l·" and the combining marks are left out, and a locale that tailors one
// (Danish "aa", Czech "ch") keeps the collator for everything.
class CharWeights {
  public:
    static constexpr char32_t kLimit = 0x500;

    static bool Covered(char32_t c) {
        if (c >= 0x20 && c <= 0x7E) return true;
        if (c < 0xA0 || c >= kLimit) return false;
        if (c == 0xB7 || c == 0x387) return false;  // the middle dots of the contraction "l·"
        return u_getCombiningClass(static_cast<UChar32>(c)) == 0 && !(c >= 0x483 && c <= 0x489);
    }

    static std::unique_ptr<CharWeights> For(const icu::Collator& collator) {
        const auto* rules = dynamic_cast<const icu::RuleBasedCollator*>(&collator);
        if (!rules) return nullptr;
        UErrorCode status = U_ZERO_ERROR;
        if (collator.getAttribute(UCOL_ALTERNATE_HANDLING, status) != UCOL_NON_IGNORABLE ||
            collator.getAttribute(UCOL_NUMERIC_COLLATION, status) != UCOL_OFF ||
            collator.getAttribute(UCOL_FRENCH_COLLATION, status) != UCOL_OFF ||
            collator.getAttribute(UCOL_NORMALIZATION_MODE, status) != UCOL_OFF || U_FAILURE(status)) {
            return nullptr;
        }
        std::unique_ptr<icu::UnicodeSet> tailored(rules->getTailoredSet(status));
        if (U_FAILURE(status) || !tailored) return nullptr;
        for (icu::UnicodeSetIterator it(*tailored); it.next();) {
            if (it.isString() && AllCovered(it.getString())) return nullptr;
        }

        auto weights = std::make_unique<CharWeights>();
        for (auto& level : weights->levels_)
            level.resize(kLimit);
        for (char32_t c = 0x20; c < kLimit; ++c) {
            if (!Covered(c)) continue;
            const icu::UnicodeString one = icu::UnicodeString(static_cast<UChar32>(c));
            uint8_t key[64];
            const int32_t size = collator.getSortKey(one, key, static_cast<int32_t>(sizeof key));
            if (size <= 0 || size > static_cast<int32_t>(sizeof key)) return nullptr;
            std::size_t level = 0;
            for (int32_t i = 0; i < size - 1; ++i) {  // the last byte ends the key
                if (key[i] == 1) {
                    if (++level >= kLevels) return nullptr;
                } else {
                    Weight& w = weights->levels_[level][c];
                    if (w.length == sizeof w.bytes) return nullptr;
                    w.bytes[w.length++] = key[i];
                }
            }
            weights->levelCount_ = std::max(weights->levelCount_, level + 1);
        }
        return weights;
    }

    // True when every character of a UTF-8 text has its own weights here.
    static bool AllCovered(std::string_view s) {
        for (std::size_t i = 0; i < s.size();) {
            const auto b = static_cast<unsigned char>(s[i]);
            if (b < 0x80) {
                if (b < 0x20 || b == 0x7F) return false;
                ++i;
                continue;
            }
            const std::size_t length = utf8::CharLength(s, i);
            if (length == 1) return false;  // not UTF-8
            if (!Covered(utf8::CodePointAt(s, i, length))) return false;
            i += length;
        }
        return true;
    }

    // Compares two covered texts as the collator would: 0 when it holds them equal.
    int Compare(std::string_view a, std::string_view b) const {
        // Weights do not depend on neighbours, so a common beginning weighs the same on both sides.
        std::size_t k = 0;
        const std::size_t common = std::min(a.size(), b.size());
        while (k + 8 <= common && std::memcmp(a.data() + k, b.data() + k, 8) == 0)
            k += 8;
        while (k < common && a[k] == b[k])
            ++k;
        if (k == a.size() && k == b.size()) return 0;
        const std::string_view longer = k < a.size() ? a : b;
        while (k > 0 && (static_cast<unsigned char>(longer[k]) & 0xC0) == 0x80)
            --k;  // back to a character start
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

    static bool AllCovered(const icu::UnicodeString& s) {
        for (int32_t i = 0; i < s.length();) {
            const UChar32 c = s.char32At(i);
            if (!Covered(static_cast<char32_t>(c))) return false;
            i += U16_LENGTH(c);
        }
        return true;
    }

    // Walks the weight bytes of one level of a covered text, character by character.
    struct Cursor {
        std::string_view text;
        const std::vector<Weight>& table;
        std::size_t next = 0;
        const Weight* weight = nullptr;
        std::size_t offset = 0;

        bool Byte(std::uint8_t& byte) {
            while (weight == nullptr || offset == weight->length) {
                if (next == text.size()) return false;
                const auto b = static_cast<unsigned char>(text[next]);
                char32_t c = b;
                std::size_t length = 1;
                if (b >= 0x80) {
                    length = utf8::CharLength(text, next);
                    c = utf8::CodePointAt(text, next, length);
                }
                next += length;
                weight = &table[c];
                offset = 0;
            }
            byte = weight->bytes[offset++];
            return true;
        }
    };

    // Compares the concatenated weights of one level, byte by byte.
    static int CompareLevel(const std::vector<Weight>& table, std::string_view a, std::string_view b) {
        Cursor ca{a, table}, cb{b, table};
        for (;;) {
            std::uint8_t wa = 0, wb = 0;
            const bool hasA = ca.Byte(wa), hasB = cb.Byte(wb);
            if (!hasA || !hasB) return hasA == hasB ? 0 : (hasA ? 1 : -1);
            if (wa != wb) return wa < wb ? -1 : 1;
        }
    }

    std::array<std::vector<Weight>, kLevels> levels_;
    std::size_t levelCount_ = 0;
};

struct Locale::Collators {
    std::string name;
    std::unique_ptr<icu::Collator> caseSensitive;
    std::unique_ptr<icu::Collator> ignoreCase;
    std::unique_ptr<CharWeights> fast;

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
            fast = CharWeights::For(*caseSensitive);
        }
    }
};

Locale::Locale(LocaleFormats formats, std::string_view collationLocale)
    : formats_(std::move(formats)), collators_(std::make_shared<const Collators>(collationLocale)) {}

namespace {

int CollatorCompare(const icu::Collator* collator, std::string_view a, std::string_view b) {
    if (collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r =
            collator->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
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
        while (i + n < in.size() && in[i + n] == c)
            ++n;
        auto repeat = [&](char letter, std::size_t count) { out.append(count, letter); };
        switch (c) {
            case 'y':
            case 'u':
                repeat('y', n == 2 ? 2 : 4);
                break;
            case 'M':
            case 'L':
                repeat('M', n > 4 ? 4 : n);
                break;
            case 'd':
                repeat('d', n > 2 ? 2 : n);
                break;
            case 'E':
            case 'c':
            case 'e':
                repeat('d', n <= 3 ? 3 : 4);
                break;
            case 'H':
            case 'k':
                repeat('H', n > 2 ? 2 : n);
                break;
            case 'h':
            case 'K':
                repeat('h', n > 2 ? 2 : n);
                break;
            case 'm':
                repeat('m', n > 2 ? 2 : n);
                break;
            case 's':
                repeat('s', n > 2 ? 2 : n);
                break;
            case 'a':
            case 'b':
            case 'B':
                out += "tt";
                break;
            default:
                if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) break;  // fields we do not show
                out.append(in, i, n);
        }
        i += n;
    }
    // Narrow and ordinary no-break spaces become plain blanks, as in the system formats.
    for (const char* nbsp : {"\xE2\x80\xAF", "\xC2\xA0"}) {
        for (std::size_t p; (p = out.find(nbsp)) != std::string::npos;)
            out.replace(p, std::strlen(nbsp), " ");
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    while (!out.empty() && out.front() == ' ')
        out.erase(0, 1);
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

Locale::SortText Locale::Prepare(std::string_view text) {
    return SortText{text, CharWeights::AllCovered(text)};
}

int Locale::Compare(const SortText& a, const SortText& b) const {
    const CharWeights* fast = collators_->fast.get();
    if (fast && a.commonLetters && b.commonLetters) {
        if (const int r = fast->Compare(a.text, b.text)) return r;
    } else if (const int r = CollatorCompare(collators_->caseSensitive.get(), a.text, b.text)) {
        return r;
    }
    const int r = a.text.compare(b.text);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int Locale::Compare(std::string_view a, std::string_view b) const {
    return Compare(Prepare(a), Prepare(b));
}

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
        const icu::UnicodeString* shortMonths =
            symbols.getMonths(count, icu::DateFormatSymbols::STANDALONE, icu::DateFormatSymbols::ABBREVIATED);
        for (int32_t i = 0; i < count && i < 12; ++i) {
            std::string m = ToUtf8(shortMonths[i]);
            if (!m.empty() && m.back() == '.') m.pop_back();
            f.names.shortMonths[static_cast<std::size_t>(i)] = m;
        }
        const icu::UnicodeString* longMonths =
            symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
        for (int32_t i = 0; i < count && i < 12; ++i)
            f.names.longMonths[static_cast<std::size_t>(i)] = ToUtf8(longMonths[i]);
        // Weekday arrays are indexed 1 (Sunday) to 7.
        const icu::UnicodeString* shortDays = symbols.getShortWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i)
            f.names.shortDays[static_cast<std::size_t>(i - 1)] = ToUtf8(shortDays[i]);
        const icu::UnicodeString* longDays = symbols.getWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i)
            f.names.longDays[static_cast<std::size_t>(i - 1)] = ToUtf8(longDays[i]);
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
