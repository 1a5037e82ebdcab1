#include "catalog/CatalogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

std::string ReadWholeFile(const std::string& path) {
    auto fail = [&path](int error) {
        return TabuloError("cannot read catalog '" + path + "': " + std::strerror(error));
    };
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fail(path.empty() ? ENOENT : errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw fail(errno);
    if (S_ISDIR(st.st_mode)) throw fail(EISDIR);
    std::string text;
    if (S_ISREG(st.st_mode) && st.st_size > 0) text.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw fail(errno);
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace

CatalogFile::CatalogFile(const std::string& path) : text_(std::make_unique<std::string>(ReadWholeFile(path))) {
    SplitLines();
}

CatalogFile CatalogFile::FromText(std::string text) {
    CatalogFile file;
    file.text_ = std::make_unique<std::string>(std::move(text));
    file.SplitLines();
    return file;
}

void CatalogFile::SplitLines() {
    std::string_view rest(*text_);
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (utf8::IsValid(line)) {
            lines_.push_back(line);
        } else {
            converted_.push_back(utf8::FromWindows1252(line));
            lines_.push_back(converted_.back());
        }
        if (end == std::string_view::npos) break;
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
}

}  // namespace tabulo
