#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tabulo {

// Random-access bytes a metadata reader takes its input from: a file on disk or a block of
// memory (tests and fuzzers). Reads never go past the end; a short count means the end or an
// error.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::int64_t Size() const = 0;
    // Reads up to n bytes from offset into out; returns how many were read.
    virtual std::size_t ReadAt(std::int64_t offset, void* out, std::size_t n) const = 0;

    // Up to n bytes from offset as a string (shorter at the end of the data).
    std::string Read(std::int64_t offset, std::size_t n) const;
    // The first `limit` bytes (or all of them when fewer).
    std::string Head(std::size_t limit) const { return Read(0, limit); }
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::size_t ReadAt(std::int64_t offset, void* out, std::size_t n) const override;

  private:
    std::string_view bytes_;
};

// A regular file opened for reading. Anything else (a folder, a FIFO, a device, a missing or
// unreadable file) leaves it closed, so a reader never blocks or reads a device; the file's
// contents and attributes are never changed.
class InputFile : public ByteSource {
  public:
    explicit InputFile(const std::string& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    std::int64_t Size() const override { return size_; }
    std::size_t ReadAt(std::int64_t offset, void* out, std::size_t n) const override;

  private:
    int fd_ = -1;
    std::int64_t size_ = 0;
};

// Calls `line` for each line of the bytes (a line ends at CR, LF or CR LF; a final line break
// starts no further line), reading them in chunks; a line longer than `maxLine` bytes is passed
// cut to that length. Stops early when `line` returns false.
void ForEachLine(const ByteSource& source, std::size_t maxLine, const std::function<bool(std::string_view)>& line);

// Whether a regular file exists at path (following links).
bool RegularFileExists(const std::string& path);

}  // namespace tabulo
