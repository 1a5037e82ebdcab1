#include "platform/DateTime.h"

#include <ctime>
#include <vector>

#include "platform/TabuloError.h"

namespace tabulo {

LocalDateTime ToLocalDateTime(std::int64_t secondsSinceEpoch) {
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) return {};
    LocalDateTime v;
    v.date = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
    v.hour = tm.tm_hour;
    v.minute = tm.tm_min;
    v.second = tm.tm_sec;
    v.weekday = tm.tm_wday;
    return v;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

int WeekdayOf(const CivilDate& date) {
    // Sakamoto's method; 0 = Sunday.
    static constexpr int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = date.year - (date.month < 3 ? 1 : 0);
    return (y + y / 4 - y / 100 + y / 400 + kOffsets[(date.month + 11) % 12] + date.day) % 7;
}

namespace {

void AppendNumber(std::string& out, int value, int minDigits) {
    char buf[16];
    char* p = buf + sizeof buf;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (buf + sizeof buf - p < minDigits)
        *--p = '0';
    out.append(p, static_cast<std::size_t>(buf + sizeof buf - p));
}

std::size_t RunLength(std::string_view s, std::size_t i) {
    std::size_t n = 1;
    while (i + n < s.size() && s[i + n] == s[i])
        ++n;
    return n;
}

}  // namespace

void AppendDateTime(std::string& out, std::string_view pattern, const LocalDateTime& v, const DateNames& names) {
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {
            std::size_t j = i + 1;
            if (j < pattern.size() && pattern[j] == '\'') {  // '' is one quote
                out.push_back('\'');
                i = j + 1;
                continue;
            }
            while (j < pattern.size() && pattern[j] != '\'')
                out.push_back(pattern[j++]);
            i = j + 1;
            continue;
        }
        const std::size_t n = RunLength(pattern, i);
        switch (c) {
            case 'd':
                if (n <= 2)
                    AppendNumber(out, v.date.day, static_cast<int>(n));
                else if (n == 3)
                    out += names.shortDays[v.weekday % 7];
                else
                    out += names.longDays[v.weekday % 7];
                break;
            case 'M': {
                const int m = (v.date.month + 11) % 12;
                if (n <= 2)
                    AppendNumber(out, v.date.month, static_cast<int>(n));
                else if (n == 3)
                    out += names.shortMonths[m];
                else
                    out += names.longMonths[m];
                break;
            }
            case 'y':
                if (n == 1)
                    AppendNumber(out, v.date.year % 100, 1);
                else if (n == 2)
                    AppendNumber(out, v.date.year % 100, 2);
                else
                    AppendNumber(out, v.date.year, 4);
                break;
            case 'h':
                AppendNumber(out, (v.hour + 11) % 12 + 1, n >= 2 ? 2 : 1);
                break;
            case 'H':
                AppendNumber(out, v.hour, n >= 2 ? 2 : 1);
                break;
            case 'm':
                AppendNumber(out, v.minute, n >= 2 ? 2 : 1);
                break;
            case 's':
                AppendNumber(out, v.second, n >= 2 ? 2 : 1);
                break;
            case 't': {
                const std::string& d = v.hour < 12 ? names.am : names.pm;
                if (n == 1)
                    out += d.substr(0, 1);
                else
                    out += d;
                break;
            }
            default:
                out.append(pattern.substr(i, n));
                break;
        }
        i += n;
    }
}

std::string FormatDateTime(std::string_view pattern, const LocalDateTime& value, const DateNames& names) {
    std::string out;
    AppendDateTime(out, pattern, value, names);
    return out;
}

CivilDate ParseDate(std::string_view text, std::string_view pattern, int currentYear) {
    auto invalid = [&]() { return TabuloError("'" + std::string(text) + "' is not a valid date"); };

    // The order of day, month and year, and the characters that separate them, come from the
    // pattern.
    std::string order;
    std::string separators;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == 'd' || c == 'M' || c == 'y') {
            if (order.find(c) == std::string::npos) order.push_back(c);
        } else if (c == '\'') {
            continue;
        } else if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            separators.push_back(c);
        }
    }
    if (order.find('d') == std::string::npos || order.find('M') == std::string::npos) throw invalid();

    std::vector<std::pair<int, std::size_t>> numbers;  // value, digit count
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::size_t end = text.size();
    while (end > i && text[end - 1] == ' ')
        --end;
    while (i < end) {
        if (text[i] < '0' || text[i] > '9') throw invalid();
        long value = 0;
        std::size_t digits = 0;
        while (i < end && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            if (value > 99999) throw invalid();
            ++i, ++digits;
        }
        numbers.emplace_back(static_cast<int>(value), digits);
        if (i == end) break;
        std::size_t seps = 0;
        while (i < end && separators.find(text[i]) != std::string::npos)
            ++i, ++seps;
        if (seps == 0 || i == end) throw invalid();
    }

    CivilDate date;
    std::size_t yearDigits = 4;
    if (numbers.size() == 3) {
        for (std::size_t k = 0; k < 3 && k < order.size(); ++k) {
            const auto [value, digits] = numbers[k];
            if (order[k] == 'd')
                date.day = value;
            else if (order[k] == 'M')
                date.month = value;
            else
                date.year = value, yearDigits = digits;
        }
        if (order.size() < 3) throw invalid();
    } else if (numbers.size() == 2) {
        std::size_t k = 0;
        for (char c : order) {
            if (c == 'y') continue;
            if (c == 'd')
                date.day = numbers[k].first;
            else
                date.month = numbers[k].first;
            ++k;
        }
        date.year = currentYear;
    } else {
        throw invalid();
    }
    if (yearDigits <= 2) {
        const int centuryBase = currentYear - 80;
        date.year += centuryBase / 100 * 100;
        if (date.year < centuryBase) date.year += 100;
    }
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month)) {
        throw invalid();
    }
    return date;
}

}  // namespace tabulo
