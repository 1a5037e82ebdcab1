#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulo {

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;  // the default is day zero of the date arithmetic: 30 December 1899

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

struct LocalDateTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 6;  // 0 = Sunday; day zero was a Saturday

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Names and designators a date/time pattern may refer to.
struct DateNames {
    std::array<std::string, 12> shortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonths{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 7> shortDays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDays{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::string am = "AM";
    std::string pm = "PM";
};

// Local time of a point in time given in seconds since 1970 (the process's time zone).
LocalDateTime ToLocalDateTime(std::int64_t secondsSinceEpoch);

int DaysInMonth(int year, int month);
int WeekdayOf(const CivilDate& date);

// Writes a date and/or time through a pattern of Windows-style letters: d dd ddd dddd, M MM MMM
// MMMM, y yy yyyy, h hh (12-hour), H HH, m mm, s ss, t tt (AM/PM); text in single quotes is
// literal ('' is one quote); every other character stands for itself.
void AppendDateTime(std::string& out, std::string_view pattern, const LocalDateTime& value, const DateNames& names);
std::string FormatDateTime(std::string_view pattern, const LocalDateTime& value, const DateNames& names);

// Reads a date written in the short date format `pattern`: two or three numbers in the pattern's
// day/month/year order, separated by the pattern's separator characters. Two numbers are day
// and month of `currentYear`; a year of one or two digits falls in the hundred years that begin
// 80 years before `currentYear`. Throws TabuloError "'<text>' is not a valid date".
CivilDate ParseDate(std::string_view text, std::string_view pattern, int currentYear);

}  // namespace tabulo
