#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text helpers for UTF-8 strings that may hold bytes which are not valid UTF-8 (file names on
// Linux are bytes). Widths count characters: a valid sequence is one character, and so is each
// byte that is not part of a valid sequence.
namespace tabulo::utf8 {

// Length in bytes of the character that starts at s[i] (1 for an invalid byte).
std::size_t CharLength(std::string_view s, std::size_t i);

std::size_t CharCount(std::string_view s);

// The code point of the valid sequence of `length` bytes at s[i] (as CharLength measured it).
char32_t CodePointAt(std::string_view s, std::size_t i, std::size_t length);

// True when every byte belongs to a valid UTF-8 sequence.
bool IsValid(std::string_view s);

// Appends a code point as UTF-8; a surrogate or a value beyond U+10FFFF becomes U+FFFD.
void AppendCodePoint(std::string& out, char32_t cp);

// Text in the Windows-1252 code page as UTF-8; the five bytes it leaves undefined become U+FFFD.
std::string FromWindows1252(std::string_view bytes);

// UTF-16 little-endian text (an odd last byte ignored) as UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16Le(std::string_view bytes);

// Byte offset of the character with index n (s.size() when s has n characters or fewer).
std::size_t OffsetOfChar(std::string_view s, std::size_t n);

// The first n characters of s.
std::string_view FirstChars(std::string_view s, std::size_t n);

bool IsAscii(std::string_view s);

// Unicode upper and lower case (locale-independent); bytes that are not valid UTF-8 are kept.
std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);

// Equal when the upper-case forms are equal.
bool EqualIgnoreCase(std::string_view a, std::string_view b);

// Replaces control characters (C0 and DEL) by '?', so a file name holding a line break cannot
// split a line of the list.
void ReplaceControls(std::string& s);

// Escapes &, <, > and " for HTML text.
std::string HtmlEscape(std::string_view s);
void AppendHtmlEscaped(std::string& out, std::string_view s);

}  // namespace tabulo::utf8
