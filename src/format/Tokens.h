#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulo {

// The 34 tokens of the pattern language, in the order in which they are replaced.
enum class Token : std::uint8_t {
    NAME,
    SIZE,
    DUSG,
    DATE,
    TIME,
    ATTR,
    NUMB,
    FNAM,
    NDOS,
    CTIM,
    ATIM,
    FEXT,
    PATH,
    COMM,
    FILE_VER,
    FILE_NAM,
    FILE_COM,
    MP3_TIT,
    MP3_ART,
    MP3_ALB,
    MP3_YER,
    MP3_COM,
    MP3_GEN,
    MP3_TRK,
    IPTC_CAP,
    IPTC_HDL,
    IPTC_BYL,
    IPTC_CRE,
    IPTC_OBJ,
    IPTC_DAT,
    IPTC_CIT,
    IPTC_STA,
    IPTC_COU,
    IPTC_COP,
};
inline constexpr std::size_t kTokenCount = 34;

inline constexpr std::array<std::string_view, kTokenCount> kTokenTexts{
    "%NAME",     "%SIZE",     "%DUSG",     "%DATE",     "%TIME",     "%ATTR",     "%NUMB",     "%FNAM",     "%NDOS",
    "%CTIM",     "%ATIM",     "%FEXT",     "%PATH",     "%COMM",     "%FILE_VER", "%FILE_NAM", "%FILE_COM", "%MP3_TIT",
    "%MP3_ART",  "%MP3_ALB",  "%MP3_YER",  "%MP3_COM",  "%MP3_GEN",  "%MP3_TRK",  "%IPTC_CAP", "%IPTC_HDL", "%IPTC_BYL",
    "%IPTC_CRE", "%IPTC_OBJ", "%IPTC_DAT", "%IPTC_CIT", "%IPTC_STA", "%IPTC_COU", "%IPTC_COP",
};

inline constexpr std::string_view TokenText(Token t) {
    return kTokenTexts[static_cast<std::size_t>(t)];
}

// Bit i set when token i occurs in the text, ignoring case.
std::uint64_t TokensIn(std::string_view text);

// True when `token` occurs in `text`, ignoring case.
bool ContainsToken(std::string_view text, std::string_view token);

// Replaces every occurrence of `token` (ignoring case) in `line` by `value`. Returns true when the
// replacement may have made an occurrence of a later token that was not there before: the value
// holds a "%", or a "%" stands close enough before a replaced place to begin a token with the
// text that follows it.
bool ReplaceToken(std::string& line, std::string_view token, std::string_view value, std::string& scratch);

// The pattern with every backslash followed by "n" or "N" turned into a carriage return.
std::string ExpandLineBreaks(std::string_view pattern);

// The simple-mode pattern: "%NAME" and " %SIZE", " %DATE", " %TIME", " %ATTR" for the ticked
// boxes, in this order.
std::string MakePattern(bool size, bool date, bool time, bool attributes);

}  // namespace tabulo
