#pragma once

#include <locale.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "metadata/ByteSource.h"

struct archive;
struct archive_entry;

namespace tabulo {

// A libarchive reader over a ByteSource (with seeking, so zip and 7z read their central
// directories instead of scanning the whole file). Only the formats and filters asked for are
// enabled: never "raw", "empty" or "mtree", which would take ordinary files for archives, and
// never a filter that runs an external program.
class ArchiveReader {
  public:
    enum class Formats { ZipOnly, Archives };

    ArchiveReader(const ByteSource& source, Formats formats);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // False when the data is not an archive of an enabled format or cannot be read.
    bool IsOpen() const { return open_; }

    enum class Next { Entry, Skip, End, Failed };
    // Moves to the next member: Entry (Current() is it), Skip (a damaged header: go on), End (no
    // more members) or Failed (an error after which nothing more can be read; on the first call:
    // the data is no archive of an enabled format).
    Next NextEntry();
    archive_entry* Current() const { return entry_; }
    // Reads up to `limit` bytes of the current member's data; none when the data is damaged.
    std::optional<std::string> ReadData(std::size_t limit);
    // The length of the current member's data, counted by decompressing it; none when damaged.
    std::optional<std::int64_t> CountData();

    // Whether the data was read as a tar archive (known after the first NextEntry).
    bool IsTar() const;

    // The member's path as UTF-8 where libarchive can convert it, else its bytes.
    static std::string PathOf(archive_entry* entry);

  private:
    static long Read(archive*, void* self, const void** buffer);
    static std::int64_t Seek(archive*, void* self, std::int64_t offset, int whence);
    static std::int64_t Skip(archive*, void* self, std::int64_t request);

    // libarchive converts member names through the thread's character set: while the reader
    // lives, the thread uses UTF-8 whatever the process locale is.
    locale_t previousLocale_ = nullptr;
    const ByteSource& source_;
    archive* archive_ = nullptr;
    archive_entry* entry_ = nullptr;
    std::int64_t position_ = 0;
    std::vector<char> buffer_;
    bool open_ = false;
};

}  // namespace tabulo
