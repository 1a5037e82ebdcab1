#include "metadata/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tabulo {

std::string ByteSource::Read(std::int64_t offset, std::size_t n) const {
    const std::int64_t size = Size();
    if (offset < 0 || offset >= size) return {};
    if (static_cast<std::uint64_t>(size - offset) < n) n = static_cast<std::size_t>(size - offset);
    std::string bytes(n, '\0');
    bytes.resize(ReadAt(offset, bytes.data(), n));
    return bytes;
}

std::size_t MemorySource::ReadAt(std::int64_t offset, void* out, std::size_t n) const {
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= bytes_.size()) return 0;
    const std::size_t start = static_cast<std::size_t>(offset);
    const std::size_t count = std::min(n, bytes_.size() - start);
    std::memcpy(out, bytes_.data() + start, count);
    return count;
}

InputFile::InputFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is then refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = st.st_size;
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::ReadAt(std::int64_t offset, void* out, std::size_t n) const {
    if (fd_ < 0 || offset < 0) return 0;
    std::size_t done = 0;
    auto* bytes = static_cast<unsigned char*>(out);
    while (done < n) {
        const ssize_t got =
            ::pread(fd_, bytes + done, n - done, static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void ForEachLine(const ByteSource& source, std::size_t maxLine, const std::function<bool(std::string_view)>& line) {
    constexpr std::size_t kChunk = std::size_t{64} * 1024;
    std::string chunk(kChunk, '\0');
    std::string current;
    bool open = false;     // a line has begun and not yet ended
    bool afterCr = false;  // the last byte was a CR, so an LF right after it ends nothing
    for (std::int64_t offset = 0;;) {
        const std::size_t got = source.ReadAt(offset, chunk.data(), kChunk);
        if (got == 0) break;
        offset += static_cast<std::int64_t>(got);
        const std::string_view bytes(chunk.data(), got);
        std::size_t i = 0;
        if (afterCr && bytes[0] == '\n') i = 1;
        afterCr = false;
        while (i < bytes.size()) {
            const std::size_t end = bytes.find_first_of("\r\n", i);
            const std::string_view part =
                bytes.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
            if (current.size() < maxLine) current.append(part.substr(0, maxLine - current.size()));
            if (end == std::string_view::npos) {
                open = open || !part.empty();
                break;
            }
            if (!line(current)) return;
            current.clear();
            open = false;
            i = end + 1;
            if (bytes[end] == '\r') {
                if (i < bytes.size() && bytes[i] == '\n')
                    ++i;
                else if (i == bytes.size())
                    afterCr = true;
            }
        }
    }
    if (open) line(current);
}

bool RegularFileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tabulo
