#include "platform/VolumeFacts.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/TabuloError.h"

namespace tabulo {

namespace {

std::string DecodeOctal(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto octal = [&](std::size_t k) { return s[k] >= '0' && s[k] <= '7'; };
        if (s[i] == '\\' && i + 3 < s.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out.push_back(static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

std::string RealPath(const std::string& path) {
    char buf[PATH_MAX];
    if (realpath(path.c_str(), buf) == nullptr) return path;
    return buf;
}

// The mount whose mount point is the longest prefix of the folder's real path.
bool FindMount(const std::string& path, MountEntry& found) {
    const std::string real = RealPath(path);
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    std::size_t best = 0;
    bool any = false;
    while (std::getline(in, line)) {
        MountEntry e;
        if (!ParseMountInfoLine(line, e)) continue;
        const std::string& mp = e.mountPoint;
        const bool prefix = mp == "/" || real == mp ||
                            (real.size() > mp.size() && real.compare(0, mp.size(), mp) == 0 && real[mp.size()] == '/');
        if (prefix && (!any || mp.size() >= best)) {
            best = mp.size();
            found = e;
            any = true;
        }
    }
    return any;
}

}  // namespace

bool ParseMountInfoLine(const std::string& line, MountEntry& entry) {
    std::istringstream in(line);
    std::string id, parent, devnum, root, mountPoint, options, field;
    if (!(in >> id >> parent >> devnum >> root >> mountPoint >> options)) return false;
    while (in >> field && field != "-") {
    }
    if (field != "-") return false;
    std::string fsType, source;
    if (!(in >> fsType)) return false;
    in >> source;
    const auto colon = devnum.find(':');
    if (colon == std::string::npos) return false;
    entry.major = static_cast<unsigned>(std::strtoul(devnum.c_str(), nullptr, 10));
    entry.minor = static_cast<unsigned>(std::strtoul(devnum.c_str() + colon + 1, nullptr, 10));
    entry.mountPoint = DecodeOctal(mountPoint);
    entry.fsType = fsType;
    entry.source = DecodeOctal(source);
    return true;
}

bool IsNetworkFsType(const std::string& fsType) {
    static const std::set<std::string> kNetwork = {"nfs",
                                                   "nfs4",
                                                   "cifs",
                                                   "smb3",
                                                   "smbfs",
                                                   "ncpfs",
                                                   "afs",
                                                   "ceph",
                                                   "glusterfs",
                                                   "lustre",
                                                   "9p",
                                                   "davfs",
                                                   "fuse.sshfs",
                                                   "fuse.rclone",
                                                   "fuse.s3fs",
                                                   "fuse.davfs2",
                                                   "fuse.gvfsd-fuse",
                                                   "fuse.glusterfs",
                                                   "fuse.ceph",
                                                   "fuse.smbnetfs",
                                                   "fuse.curlftpfs"};
    return kNetwork.count(fsType) != 0;
}

std::string DecodeUdevLabel(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            out.push_back(static_cast<char>(std::strtoul(name.substr(i + 2, 2).c_str(), nullptr, 16)));
            i += 3;
        } else {
            out.push_back(name[i]);
        }
    }
    return out;
}

std::uint64_t LinuxVolumeFacts::ClusterSize(const std::string& path) {
    struct statvfs vfs {};
    if (statvfs(path.c_str(), &vfs) != 0) {
        const int code = errno;
        throw TabuloError("System Error.  Code: " + std::to_string(code) + ".\r\n" + std::strerror(code) + " (" + path +
                          ")");
    }
    return vfs.f_frsize != 0 ? vfs.f_frsize : vfs.f_bsize;
}

std::int64_t LinuxVolumeFacts::FreeBytes(const std::string& path) {
    struct statvfs vfs {};
    if (statvfs(path.c_str(), &vfs) != 0) return 0;
    const unsigned long long unit = vfs.f_frsize != 0 ? vfs.f_frsize : vfs.f_bsize;
    const unsigned long long bytes = static_cast<unsigned long long>(vfs.f_bfree) * unit;
    return bytes > static_cast<unsigned long long>(INT64_MAX) ? INT64_MAX : static_cast<std::int64_t>(bytes);
}

std::string LinuxVolumeFacts::Label(const std::string& path) {
    MountEntry mount;
    if (!FindMount(path, mount)) return {};
    const dev_t device = makedev(mount.major, mount.minor);
    const char* kFolder = "/dev/disk/by-label";
    DIR* dir = opendir(kFolder);
    if (!dir) return {};
    std::string label;
    while (dirent* d = readdir(dir)) {
        if (d->d_name[0] == '.') continue;
        struct stat st {};
        const std::string link = std::string(kFolder) + "/" + d->d_name;
        if (stat(link.c_str(), &st) == 0 && S_ISBLK(st.st_mode) && st.st_rdev == device) {
            label = DecodeUdevLabel(d->d_name);
            break;
        }
    }
    closedir(dir);
    return label;
}

std::string LinuxVolumeFacts::MountPoint(const std::string& path) {
    MountEntry mount;
    return FindMount(path, mount) ? mount.mountPoint : std::string("/");
}

bool LinuxVolumeFacts::IsNetwork(const std::string& path) {
    MountEntry mount;
    return FindMount(path, mount) && IsNetworkFsType(mount.fsType);
}

}  // namespace tabulo
