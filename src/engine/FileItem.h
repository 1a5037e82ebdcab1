#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabulo {

// One listed item: a file found in a folder, a member of an archive or an entry of a catalog.
struct TFileItem {
    std::string Name;                               // without its folder; a member's name begins with "|--> "
    std::int64_t Size = 0;                          // bytes; a member's uncompressed size
    std::string Date;                               // last-write date in the short date format, or empty
    std::string Time;                               // last-write time in the long time format, or empty
    std::uint32_t Attr = 0;                         // attribute bits (read-only 1, hidden 2, system 4, archive 32)
    std::string Comment;                            // description a catalog supplies
    std::optional<std::vector<TFileItem>> Members;  // an archive's members, none otherwise
    std::string Created;                            // creation date and time followed by one blank, or empty
    std::string Accessed;                           // last-access date and time followed by one blank, or empty
};

inline TFileItem NewCurrentItem(std::string name, std::string date, std::int64_t size, std::string time,
                                std::uint32_t attr) {
    TFileItem item;
    item.Name = std::move(name);
    item.Date = std::move(date);
    item.Size = size;
    item.Time = std::move(time);
    item.Attr = attr;
    return item;
}

}  // namespace tabulo
