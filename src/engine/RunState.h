#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/MetadataRecords.h"

namespace tabulo {

// The counters and totals of the run in progress; kept after the run until the next one.
struct RunState {
    std::string StartDir;
    std::int32_t FileCount = 0;
    std::int32_t FolderCount = 0;
    std::int64_t TotalSize = 0;
    std::int32_t Level = 0;
    std::atomic<bool> AbortRequested{false};
    std::uint32_t ClusterSize = 0;
    // Folder paths of the folders-only layout and the "<DIR>" rows of the DOS-like layout;
    // none when no list exists.
    std::optional<std::vector<std::string>> SubfolderList;
    // Set while a run uses this state, so a second run cannot start inside the first.
    std::atomic<bool> Running{false};
    // The metadata of the file being formatted.
    MetadataRecords Metadata;

    // Counters and totals to 0, AbortRequested off, Level 0.
    void Reset() {
        FileCount = 0;
        FolderCount = 0;
        TotalSize = 0;
        Level = 0;
        AbortRequested = false;
    }
};

}  // namespace tabulo
