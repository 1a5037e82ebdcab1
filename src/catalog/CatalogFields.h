#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tabulo {

// The parts of one entry line of a catalog file: "path/size/date>description". They are views
// into the line; missing parts at the end are empty, and no blanks are trimmed.
struct CatalogFields {
    std::string_view path;         // up to the first "/"
    std::string_view size;         // up to the next "/"
    std::string_view date;         // up to the first ">" after the size
    std::string_view description;  // the rest, without one leading ">"
};

// Splits one entry line into its parts.
CatalogFields ExtractFields(std::string_view line);

// The size of a size text: a decimal whole number with an optional sign, read in 64 bits; none
// for any other text (empty, blanks, letters, out of range).
std::optional<std::int64_t> ParseCatalogSize(std::string_view text);

// The folder of an entry's path, the text before its last backslash: "C:\Docs" for
// "C:\Docs\a.txt". A drive root keeps its backslash ("C:\" for "C:\a.txt"), as does a path that
// begins with its only backslash ("\" for "\a.txt"); a path without a backslash has no folder.
std::string_view CatalogFolderOf(std::string_view path);

// The name of an entry's path: the text after its last backslash (the whole path without one).
std::string_view CatalogNameOf(std::string_view path);

}  // namespace tabulo
