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

// Code points of the bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8::CharLength(text, i);
        if (length == 1) return false;
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out.push_back(c);
        else if (b < 0xA0) AppendCodePoint(out, kHighControls[b - 0x80] ? kHighControls[b - 0x80] : 0xFFFD);
        else AppendCodePoint(out, b);
    }
    return out;
}

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
        if (IsValidUtf8(line)) {
            lines_.push_back(line);
        } else {
            converted_.push_back(Windows1252ToUtf8(line));
            lines_.push_back(converted_.back());
        }
        if (end == std::string_view::npos) break;
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
}

}  // namespace tabulo
