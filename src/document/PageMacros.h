#pragma once

#include <string>
#include <string_view>

#include "document/Styles.h"
#include "platform/Locale.h"

namespace tabulo {

// A page header or footer text with its macros expanded: every "%p" becomes the page number,
// then every "%t" the page count, then every "%d" the date and time; letter case is ignored.
std::string ExpandPageMacros(std::string_view text, int page, int pageCount, std::string_view dateTime);

// The date and time "%d" stands for: the short date and the long time, joined by a blank.
std::string PageDateTime(const Locale& locale, const LocalDateTime& now);

// The print area of a page, in the units of the page's canvas.
struct PrintArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Top-left corner of a header or footer line of the given width and height.
struct TextOrigin {
    int x = 0;
    int y = 0;
    friend bool operator==(const TextOrigin&, const TextOrigin&) = default;
};

// Centred; the header's bottom edge 10 units above the print area, the footer's bottom edge 10
// units above the area's bottom edge.
TextOrigin HeaderOrigin(const PrintArea& area, int width, int height);
TextOrigin FooterOrigin(const PrintArea& area, int width, int height);

// The font of header and footer: the "Normal text" style with the page settings' name, colour and
// size.
TextStyle PageTextFont(const TextStyle& normalText, const std::string& fontName, Color color, int size);

}  // namespace tabulo
