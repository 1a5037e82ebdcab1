#include "document/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/TabuloError.h"

namespace tabulo {

namespace {

std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : ".";
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), target_(ResolveLink(path_)) {
    // The temporary name stays within the file system's limit of 255 bytes per name.
    const std::string name = std::filesystem::path(target_).filename().string().substr(0, 200);
    temp_ = FolderOf(target_) + "/." + name + ".tabulo-XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) throw TabuloError(Failure(errno));
    struct stat existing {};
    mode_t mode = 0;
    if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
}

std::string AtomicFile::Failure(int error) const {
    return "cannot write '" + path_ + "': " + std::strerror(error);
}

void AtomicFile::Commit() {
    const bool synced = ::fsync(fd_) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd_) == 0;
    const int closeError = errno;
    fd_ = -1;
    if (!synced) throw TabuloError(Failure(syncError));
    if (!closed) throw TabuloError(Failure(closeError));
    if (::rename(temp_.c_str(), target_.c_str()) != 0) throw TabuloError(Failure(errno));
    committed_ = true;
    // Make the rename itself durable.
    const int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write) {
    AtomicFile file(path);
    FdSink sink(file.Fd());
    write(sink);
    if (!sink.Flush()) throw TabuloError(file.Failure(sink.Error()));
    file.Commit();
}

}  // namespace tabulo
