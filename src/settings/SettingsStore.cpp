#include "settings/SettingsStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/Utf8.h"

namespace tabulo {

namespace {

// A settings file is small; anything bigger than this is not one and is never replaced.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr int kMaxBackups = 100;

struct FileContent {
    bool exists = false;
    int error = 0;  // errno of a failed read; 0 when read (or absent)
    std::string bytes;
    mode_t mode = 0600;
};

FileContent ReadWhole(const std::string& path) {
    FileContent content;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) content.error = errno;
        return content;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        content.error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        content.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else if (st.st_size > kMaxFileSize) {
        content.error = EFBIG;
    } else {
        content.exists = true;
        content.mode = st.st_mode & 07777;
        char buffer[65536];
        while (true) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                content.error = errno;
                content.exists = false;
                break;
            }
            if (n == 0) break;
            content.bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return content;
}

// The file a write replaces: a symbolic link is followed, so that a settings file kept elsewhere
// (and linked here) is updated in place of the link being replaced by a file.
std::string WriteTarget(std::string path) {
    for (int hops = 0; hops < 16; ++hops) {
        char target[4096];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0) break;
        std::string next(target, static_cast<std::size_t>(n));
        if (next.empty() || next[0] != '/') {
            const auto slash = path.rfind('/');
            next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
        }
        path = std::move(next);
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Makes the folder and its missing parents (private to the user, as settings are).
bool MakeFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) || (errno = ENOTDIR, false);
    if (errno != ENOENT) return false;
    const std::string parent = FolderOf(folder);
    if (parent != folder && !MakeFolders(parent)) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// An exclusive advisory lock on "<file>.lock", held while it lives.
class FileLock {
  public:
    explicit FileLock(const std::string& path) {
        fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
        auto pause = std::chrono::milliseconds(1);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                error_ = errno == EWOULDBLOCK ? EBUSY : errno;
                return;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(50));
        }
        locked_ = true;
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Locked() const { return locked_; }
    int Error() const { return error_; }

  private:
    int fd_ = -1;
    bool locked_ = false;
    int error_ = 0;
};

std::string TempPrefix(const std::string& target) {
    return "." + BaseName(target) + ".tmp-";
}

// Removes temporary files that a writer killed before its rename left behind. Runs under the lock,
// so no live writer owns one.
void RemoveStaleTemps(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = TempPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
            ::unlink((folder + "/" + name).c_str());
        }
    }
    ::closedir(dir);
}

// Keeps a copy of a damaged file beside it before it is replaced; false when no copy could be made.
bool KeepDamagedCopy(const std::string& target, const FileContent& content) {
    for (int n = 0; n < kMaxBackups; ++n) {
        const std::string backup = target + ".damaged" + (n == 0 ? std::string() : "." + std::to_string(n));
        const int fd = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, content.mode);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool ok = WriteAll(fd, content.bytes) && ::fsync(fd) == 0;
        ::close(fd);
        if (!ok) ::unlink(backup.c_str());
        return ok;
    }
    errno = EEXIST;
    return false;
}

// Replaces the file by `text`: temporary file in the same folder, fsync, rename over the file,
// fsync of the folder so the rename itself survives a crash.
bool ReplaceFile(const std::string& target, const std::string& text, mode_t mode) {
    const std::string folder = FolderOf(target);
    std::string temp = folder + "/" + TempPrefix(target) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    ::fchmod(fd, mode);  // keeps the file's permissions; a file system without them keeps its own
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 && ok) ok = false;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = ok ? errno : writeError;
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

RegistryTree ParseContent(const FileContent& content, bool* damaged) {
    bool d = false;
    RegistryTree tree = RegistryTree::Parse(content.bytes, d);
    if (damaged) *damaged = d;
    return tree;
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

std::string SettingsStore::DefaultPath() {
    if (const char* explicitPath = std::getenv("TABULO_SETTINGS"); explicitPath && *explicitPath) {
        return explicitPath;
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        return std::string(config) + "/tabulo/settings.reg";
    }
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h) {
        home = h;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) {
        home = pw->pw_dir;
    }
    if (home.empty()) return {};
    return home + "/.config/tabulo/settings.reg";
}

RegistryTree SettingsStore::Read(bool* damaged) const {
    return ParseContent(ReadWhole(path_), damaged);
}

std::unique_ptr<StoreKey> SettingsStore::OpenKey(std::string_view path, bool create) {
    std::vector<std::string> names;
    if (!RegistryTree::SplitPath(path, names) || names.empty()) return nullptr;
    RegistryTree snapshot = Read();
    if (!create && !snapshot.Find(path)) return nullptr;
    std::unique_ptr<StoreKey> key(new StoreKey(*this, std::string(path), create, std::move(snapshot)));
    return key->key_ ? std::move(key) : nullptr;
}

void SettingsStore::Apply(RegistryKey& key, const WriteOp& op) {
    if (const auto* set = std::get_if<SetOp>(&op)) {
        key.SetValue(set->value);
    } else if (const auto* del = std::get_if<DeleteOp>(&op)) {
        std::erase_if(key.values, [&](const RegistryValue& v) { return utf8::EqualIgnoreCase(v.name, del->name); });
    } else {
        key.values.clear();
    }
}

bool SettingsStore::Fail(const std::string& reason) {
    lastError_ = "cannot save settings to '" + path_ + "': " + reason;
    return false;
}

bool SettingsStore::Commit(const std::string& keyPath, bool create, const std::vector<WriteOp>& ops) {
    if (!writable_ || (ops.empty() && !create)) return true;
    const std::string target = WriteTarget(path_);
    if (!MakeFolders(FolderOf(target))) return Fail(std::strerror(errno));
    const FileLock lock(target);
    if (!lock.Locked()) {
        return Fail(lock.Error() == EBUSY ? "another program holds its lock" : std::strerror(lock.Error()));
    }
    const FileContent content = ReadWhole(target);
    if (content.error != 0) return Fail(std::string("the file cannot be read: ") + std::strerror(content.error));
    bool damaged = false;
    RegistryTree tree = ParseContent(content, &damaged);
    const std::string before = tree.Serialize();
    RegistryKey* key = create ? tree.Create(keyPath) : tree.Find(keyPath);
    if (!key) return true;  // the key was removed meanwhile: nothing to write into
    for (const WriteOp& op : ops)
        Apply(*key, op);
    const std::string after = tree.Serialize();
    if (after == before) return true;
    if (damaged && !KeepDamagedCopy(target, content)) {
        return Fail(std::string("cannot keep a copy of the damaged file: ") + std::strerror(errno));
    }
    RemoveStaleTemps(target);
    if (!ReplaceFile(target, after, content.mode)) return Fail(std::strerror(errno));
    return true;
}

StoreKey::StoreKey(SettingsStore& store, std::string path, bool create, RegistryTree snapshot)
    : store_(store), path_(std::move(path)), create_(create), snapshot_(std::move(snapshot)) {
    key_ = create_ ? snapshot_.Create(path_) : snapshot_.Find(path_);
}

StoreKey::~StoreKey() {
    Close();
}

std::optional<std::string> StoreKey::ReadText(std::string_view name) const {
    const RegistryValue* v = key_->FindValue(name);
    if (!v) return std::string();
    if (v->kind != ValueKind::Text) return std::nullopt;
    return v->text;
}

std::optional<std::int32_t> StoreKey::ReadInteger(std::string_view name) const {
    const RegistryValue* v = key_->FindValue(name);
    if (!v || v->kind != ValueKind::Integer) return std::nullopt;
    return v->integer;
}

std::optional<bool> StoreKey::ReadBool(std::string_view name) const {
    const auto n = ReadInteger(name);
    if (!n) return std::nullopt;
    return *n != 0;
}

void StoreKey::Record(SettingsStore::WriteOp op) {
    // A value name with a control character cannot be written to the file; such a write is dropped.
    if (const auto* set = std::get_if<SettingsStore::SetOp>(&op)) {
        for (unsigned char c : set->value.name) {
            if (c < 0x20 || c == 0x7F) return;
        }
    }
    SettingsStore::Apply(*key_, op);
    ops_.push_back(std::move(op));
}

void StoreKey::WriteText(std::string_view name, std::string_view text) {
    RegistryValue v;
    v.name = name;
    v.kind = ValueKind::Text;
    v.text = text.substr(0, text.find('\0'));  // a registry text ends at a NUL
    Record(SettingsStore::SetOp{std::move(v)});
}

void StoreKey::WriteInteger(std::string_view name, std::int32_t value) {
    RegistryValue v;
    v.name = name;
    v.kind = ValueKind::Integer;
    v.integer = value;
    Record(SettingsStore::SetOp{std::move(v)});
}

void StoreKey::DeleteValue(std::string_view name) {
    Record(SettingsStore::DeleteOp{std::string(name)});
}

void StoreKey::DeleteAllValues() {
    Record(SettingsStore::DeleteAllOp{});
}

bool StoreKey::Close() {
    if (closed_) return true;
    closed_ = true;
    return store_.Commit(path_, create_, ops_);
}

}  // namespace tabulo
