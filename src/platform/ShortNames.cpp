#include "platform/ShortNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace tabulo {

std::string LinuxShortNames::ShortName(const std::string& folder, const std::string& name) {
    if (folder != folder_) {
        folder_ = folder;
        names_.clear();
        vfat_ = false;
        struct statfs fs {};
        if (::statfs(folder.c_str(), &fs) == 0 && fs.f_type == 0x4d44) {
            vfat_ = true;
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                struct __fat_dirent entries[2];
                while (::ioctl(fd, VFAT_IOCTL_READDIR_BOTH, entries) > 0 && entries[0].d_reclen > 0) {
                    const std::string shortName(entries[0].d_name, entries[0].d_reclen);
                    // The long name is empty when the short name is the only name.
                    const std::string longName = entries[1].d_name[0] ? std::string(entries[1].d_name) : shortName;
                    names_.emplace(longName, shortName);
                }
                ::close(fd);
            }
        }
    }
    if (!vfat_) return {};
    const auto it = names_.find(name);
    return it == names_.end() ? std::string() : it->second;
}

}  // namespace tabulo
