#include "format/Tokens.h"

#include <cstring>

namespace tabulo {

namespace {

inline char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// `token` (upper case, starting with "%") at position i of text, ignoring case.
inline bool TokenAt(std::string_view text, std::size_t i, std::string_view token) {
    if (text.size() - i < token.size()) return false;
    for (std::size_t k = 1; k < token.size(); ++k) {
        if (Upper(text[i + k]) != token[k]) return false;
    }
    return true;
}

constexpr std::size_t kLongestToken = 9;

}  // namespace

std::uint64_t TokensIn(std::string_view text) {
    std::uint64_t mask = 0;
    for (std::size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i + 1)) {
        for (std::size_t t = 0; t < kTokenCount; ++t) {
            if (TokenAt(text, i, kTokenTexts[t])) mask |= std::uint64_t{1} << t;
        }
    }
    return mask;
}

bool ContainsToken(std::string_view text, std::string_view token) {
    for (std::size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i + 1)) {
        if (TokenAt(text, i, token)) return true;
    }
    return false;
}

bool ReplaceToken(std::string& line, std::string_view token, std::string_view value, std::string& scratch) {
    std::size_t at = line.find('%');
    if (at == std::string::npos) return false;
    bool mayMakeTokens = false;
    bool replaced = false;
    scratch.clear();
    std::size_t copied = 0;
    for (; at != std::string::npos; at = line.find('%', at + 1)) {
        if (!TokenAt(line, at, token)) continue;
        // A "%" shortly before this place could now begin a token with the value's text.
        const std::size_t from = at >= kLongestToken ? at - (kLongestToken - 1) : 0;
        if (std::memchr(line.data() + from, '%', at - from) != nullptr) mayMakeTokens = true;
        scratch.append(line, copied, at - copied);
        scratch.append(value);
        copied = at + token.size();
        at = copied - 1;
        replaced = true;
    }
    if (!replaced) return false;
    scratch.append(line, copied, std::string::npos);
    line.swap(scratch);
    return mayMakeTokens || value.find('%') != std::string_view::npos;
}

std::string ExpandLineBreaks(std::string_view pattern) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\' && i + 1 < pattern.size() && (pattern[i + 1] == 'n' || pattern[i + 1] == 'N')) {
            out.push_back('\r');
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

std::string MakePattern(bool size, bool date, bool time, bool attributes) {
    std::string p = "%NAME";
    if (size) p += " %SIZE";
    if (date) p += " %DATE";
    if (time) p += " %TIME";
    if (attributes) p += " %ATTR";
    return p;
}

}  // namespace tabulo
