#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo {

// Attribute bits as the listing knows them.
enum : std::uint32_t {
    kAttrReadOnly = 1,
    kAttrHidden = 2,
    kAttrSystem = 4,
    kAttrArchive = 32,
};

struct FileStat {
    std::int64_t size = 0;
    std::int64_t mtime = 0;  // seconds since 1970
    std::int64_t atime = 0;
    std::optional<std::int64_t> birthTime;  // only when asked for and the file system keeps it
    std::uint32_t attr = 0;
};

// Reads one folder with one open handle: every entry's name and type in a single pass of large
// directory reads, then at most one stat per entry on demand, relative to the open folder.
// Symbolic links: a link to a folder is a FolderLink (never walked into); a link to anything else
// is a File with its target's facts; a dangling link is a File with its own.
class DirectoryReader {
  public:
    enum class Kind : unsigned char { File, Folder, FolderLink };

    DirectoryReader() = default;
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;
    ~DirectoryReader();

    // Reads the entries of a folder ("." and ".." left out). False (errno set) when it cannot be
    // opened or read.
    bool Read(const std::string& path);
    void Close();

    std::size_t Count() const { return records_.size(); }
    std::string_view Name(std::size_t i) const {
        return std::string_view(names_.data() + records_[i].nameOffset, records_[i].nameLength);
    }
    Kind KindOf(std::size_t i);
    // Hidden or system file: by name on file systems without DOS attributes (no stat needed),
    // by the attribute bits where the file system keeps them.
    bool IsHiddenOrSystem(std::size_t i);
    // Size, times and attributes of entry i; false when the entry cannot be examined.
    bool Stat(std::size_t i, FileStat& out, bool withBirthTime);
    // Examines the given entries ahead of Stat. Many of them are shared with a second thread, so
    // the system examines two at a time; Stat then finds the answers ready.
    void Prefetch(const std::vector<std::size_t>& indices, bool withBirthTime);

  private:
    struct Record {
        std::size_t nameOffset;
        std::uint32_t nameLength;
        unsigned char dtype;
        bool resolved = false;
        bool statOk = false;
        bool hasBirthTime = false;
        Kind kind = Kind::File;
        FileStat stat;
    };
    enum class FsKind : unsigned char { Other, Vfat, Ntfs3 };

    void Resolve(std::size_t i, bool withBirthTime);
    std::uint32_t Attributes(std::string_view name, std::uint32_t mode) const;

    int fd_ = -1;
    FsKind fsKind_ = FsKind::Other;
    std::string names_;
    std::vector<Record> records_;
};

}  // namespace tabulo
