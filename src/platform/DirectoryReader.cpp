#include "platform/DirectoryReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

namespace tabulo {

namespace {

constexpr long kMsdosMagic = 0x4d44;
constexpr long kNtfs3Magic = 0x7366746e;

struct LinuxDirent64 {
    std::uint64_t ino;
    std::int64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[1];
};

}  // namespace

DirectoryReader::~DirectoryReader() {
    Close();
}

void DirectoryReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    names_.clear();
    records_.clear();
}

bool DirectoryReader::Read(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct statfs fs {};
    fsKind_ = FsKind::Other;
    if (::fstatfs(fd_, &fs) == 0) {
        if (fs.f_type == kMsdosMagic)
            fsKind_ = FsKind::Vfat;
        else if (fs.f_type == kNtfs3Magic)
            fsKind_ = FsKind::Ntfs3;
    }
    alignas(8) static thread_local char buffer[32768];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, fd_, buffer, sizeof buffer);
        if (n < 0) {
            const int error = errno;
            Close();
            errno = error;
            return false;
        }
        if (n == 0) break;
        for (long offset = 0; offset < n;) {
            const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer + offset);
            offset += d->reclen;
            const char* name = d->name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            const std::size_t length = std::strlen(name);
            Record r{};
            r.nameOffset = names_.size();
            r.nameLength = static_cast<std::uint32_t>(length);
            r.dtype = d->type;
            names_.append(name, length + 1);  // with its NUL, so the name can be passed to the system as it is
            records_.push_back(r);
        }
    }
    return true;
}

std::uint32_t DirectoryReader::Attributes(std::string_view name, std::uint32_t mode) const {
    std::uint32_t attr = 0;
    if ((mode & S_IWUSR) == 0) attr |= kAttrReadOnly;
    if (!name.empty() && name[0] == '.') attr |= kAttrHidden;
    return attr;
}

void DirectoryReader::Resolve(std::size_t i, bool withBirthTime) {
    Record& r = records_[i];
    if (r.resolved && (!withBirthTime || r.hasBirthTime || !r.statOk)) return;
    const char* name = names_.data() + r.nameOffset;

    struct statx sx {};
    const unsigned mask =
        STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | (withBirthTime ? STATX_BTIME : 0u);
    // A link is followed to its target; a dangling link is examined itself.
    bool ok = ::statx(fd_, name, AT_STATX_SYNC_AS_STAT, mask, &sx) == 0;
    if (!ok) ok = ::statx(fd_, name, AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT, mask, &sx) == 0;

    r.resolved = true;
    r.statOk = ok;
    r.hasBirthTime = withBirthTime;
    if (!ok) {
        r.kind = r.dtype == DT_DIR ? Kind::Folder : Kind::File;
        return;
    }
    if (S_ISDIR(sx.stx_mode)) {
        r.kind = (r.dtype == DT_LNK) ? Kind::FolderLink : Kind::Folder;
        if (r.dtype == DT_UNKNOWN) {
            struct stat own {};
            if (::fstatat(fd_, name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode)) {
                r.kind = Kind::FolderLink;
            }
        }
    } else {
        r.kind = Kind::File;
    }
    FileStat& st = r.stat;
    st.size = static_cast<std::int64_t>(sx.stx_size);
    st.mtime = sx.stx_mtime.tv_sec;
    st.atime = sx.stx_atime.tv_sec;
    st.birthTime.reset();
    if (withBirthTime && (sx.stx_mask & STATX_BTIME)) st.birthTime = sx.stx_btime.tv_sec;
    st.attr = Attributes(Name(i), sx.stx_mode);

    if (fsKind_ == FsKind::Vfat && r.kind == Kind::File) {
        const int f = ::openat(fd_, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (f >= 0) {
            std::uint32_t bits = 0;
            if (::ioctl(f, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0) st.attr = bits;
            ::close(f);
        }
    } else if (fsKind_ == FsKind::Ntfs3) {
        const std::string full = "/proc/self/fd/" + std::to_string(fd_) + "/" + std::string(name);
        std::uint32_t bits = 0;
        if (::getxattr(full.c_str(), "system.ntfs_attrib", &bits, sizeof bits) == sizeof bits) st.attr = bits;
    }
}

DirectoryReader::Kind DirectoryReader::KindOf(std::size_t i) {
    Record& r = records_[i];
    if (!r.resolved) {
        if (r.dtype == DT_DIR) {
            r.kind = Kind::Folder;
            return r.kind;  // a folder needs no stat to be walked into
        }
        if (r.dtype == DT_REG) {
            r.kind = Kind::File;
            return r.kind;
        }
        Resolve(i, false);
    }
    return r.kind;
}

bool DirectoryReader::IsHiddenOrSystem(std::size_t i) {
    if (fsKind_ == FsKind::Other) {
        const std::string_view name = Name(i);
        return !name.empty() && name[0] == '.';
    }
    Resolve(i, false);
    return (records_[i].stat.attr & (kAttrHidden | kAttrSystem)) != 0;
}

void DirectoryReader::Prefetch(const std::vector<std::size_t>& indices, bool withBirthTime) {
    // Below this many entries a thread costs more than it saves.
    constexpr std::size_t kWorthAThread = 256;
    if (indices.size() < kWorthAThread) return;
    // Each entry has its own record, so the two halves never touch the same one.
    auto examine = [this, &indices, withBirthTime](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k)
            Resolve(indices[k], withBirthTime);
    };
    const std::size_t half = indices.size() / 2;
    std::thread helper;
    try {
        helper = std::thread(examine, half, indices.size());
    } catch (const std::system_error&) {
        examine(0, indices.size());  // no thread to be had: one at a time
        return;
    }
    examine(0, half);
    helper.join();
}

bool DirectoryReader::Stat(std::size_t i, FileStat& out, bool withBirthTime) {
    Resolve(i, withBirthTime);
    const Record& r = records_[i];
    if (!r.statOk) return false;
    out = r.stat;
    return true;
}

}  // namespace tabulo
