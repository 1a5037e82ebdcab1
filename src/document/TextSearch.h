#pragma once

#include <optional>
#include <string_view>

#include "document/Document.h"

namespace tabulo {

struct SearchOptions {
    bool matchCase = false;
    bool forward = true;  // downwards
    bool wholeWord = false;

    friend bool operator==(const SearchOptions&, const SearchOptions&) = default;
};

// The first match of `what` at or after `from` (forward), or the last one that ends at or before
// it (backward), within single paragraphs; no wrap-around. Without match case, letters are
// compared by their Unicode case folding. A whole word has no letter, digit or "_" on either side.
std::optional<DocRange> FindText(const Document& document, std::string_view what, const SearchOptions& options,
                                 DocPosition from);

// Searches from the selection (after it forward, before it backward) and selects the match;
// false when there is none, and the selection stays.
bool SearchText(Document& document, std::string_view what, const SearchOptions& options);

}  // namespace tabulo
