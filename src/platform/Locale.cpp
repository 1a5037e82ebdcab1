#include "platform/Locale.h"

#include <unicode/coll.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <cstring>

namespace tabulo {

struct Locale::Collators {
    std::string name;
    std::unique_ptr<icu::Collator> caseSensitive;
    std::unique_ptr<icu::Collator> ignoreCase;

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
        }
    }
};

Locale::Locale(LocaleFormats formats, std::string_view collationLocale)
    : formats_(std::move(formats)), collators_(std::make_unique<Collators>(collationLocale)) {}

Locale::Locale(const Locale& other)
    : formats_(other.formats_), collators_(std::make_unique<Collators>(other.collators_->name)) {}

Locale& Locale::operator=(const Locale& other) {
    if (this != &other) {
        formats_ = other.formats_;
        collators_ = std::make_unique<Collators>(other.collators_->name);
    }
    return *this;
}

Locale::Locale(Locale&&) noexcept = default;
Locale& Locale::operator=(Locale&&) noexcept = default;
Locale::~Locale() = default;

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

int Locale::Compare(std::string_view a, std::string_view b) const {
    if (const int r = CollatorCompare(collators_->caseSensitive.get(), a, b)) return r;
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::string Locale::SortKey(std::string_view text) const {
    std::string key;
    const icu::Collator* collator = collators_->caseSensitive.get();
    if (!collator) return key;
    UChar small[256];
    icu::UnicodeString large;
    const UChar* chars = small;
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(small, 256, &length, text.data(), static_cast<int32_t>(text.size()), 0xFFFD, nullptr,
                         &status);
    if (status == U_BUFFER_OVERFLOW_ERROR || U_FAILURE(status)) {
        large = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
        chars = large.getBuffer();
        length = large.length();
    }
    uint8_t buffer[512];
    int32_t size = collator->getSortKey(chars, length, buffer, sizeof buffer);
    if (size <= static_cast<int32_t>(sizeof buffer)) {
        key.assign(reinterpret_cast<const char*>(buffer), size > 0 ? static_cast<std::size_t>(size - 1) : 0);
    } else {
        key.resize(static_cast<std::size_t>(size));
        size = collator->getSortKey(chars, length, reinterpret_cast<uint8_t*>(key.data()), size);
        key.resize(size > 0 ? static_cast<std::size_t>(size - 1) : 0);
    }
    return key;
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
    LocaleFormats time = FormatsOf(LocaleNameForCategory("LC_TIME"));
    const LocaleFormats numeric = FormatsOf(LocaleNameForCategory("LC_NUMERIC"));
    time.thousandsSeparator = numeric.thousandsSeparator;
    return Locale(std::move(time), IcuLocaleName(LocaleNameForCategory("LC_COLLATE")));
}

}  // namespace tabulo
