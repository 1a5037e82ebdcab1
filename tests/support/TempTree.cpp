#include "support/TempTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tabulo::test {

namespace fs = std::filesystem;

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "tabulo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ec;
    // Folders made read-only by a test are opened again so everything can be removed.
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root_, ec);
}

void TempTree::Folder(const std::string& relative) const {
    fs::create_directories(Path(relative));
}

void TempTree::Touch(const std::string& relative, std::int64_t mtime) const {
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(mtime);
    times[0].tv_nsec = times[1].tv_nsec = 0;
    if (::utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        throw std::runtime_error("utimensat failed: " + relative);
    }
}

void TempTree::File(const std::string& relative, std::int64_t size, std::int64_t mtime) const {
    const fs::path p(Path(relative));
    fs::create_directories(p.parent_path());
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + p.string());
    if (::ftruncate(fd, size) != 0) {
        ::close(fd);
        throw std::runtime_error("ftruncate failed: " + p.string());
    }
    ::close(fd);
    Touch(relative, mtime);
}

void TempTree::Text(const std::string& relative, const std::string& content, std::int64_t mtime) const {
    const fs::path p(Path(relative));
    fs::create_directories(p.parent_path());
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + p.string());
    const ssize_t written = ::write(fd, content.data(), content.size());
    ::close(fd);
    if (written != static_cast<ssize_t>(content.size())) throw std::runtime_error("write failed: " + p.string());
    Touch(relative, mtime);
}

void TempTree::Symlink(const std::string& target, const std::string& relative) const {
    const fs::path p(Path(relative));
    fs::create_directories(p.parent_path());
    fs::create_symlink(target, p);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::int64_t UtcTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return static_cast<std::int64_t>(::timegm(&tm));
}

void IsolateSettings() {
    const std::string path =
        (fs::temp_directory_path() / ("tabulo-test-settings-" + std::to_string(::getpid()) + ".reg")).string();
    ::setenv("TABULO_SETTINGS", path.c_str(), 1);
}

void PinTimeZone() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

}  // namespace tabulo::test
