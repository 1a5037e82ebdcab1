#pragma once

#include <cstdint>
#include <string>

namespace tabulo {

// Facts about the volume that holds a folder. The listing asks them through this interface so
// tests can fix them.
class VolumeFacts {
  public:
    virtual ~VolumeFacts() = default;

    // Allocation unit in bytes. Throws TabuloError "System Error.  Code: N.\r\n<reason>" when the
    // volume cannot be measured.
    virtual std::uint64_t ClusterSize(const std::string& path) = 0;
    // Free bytes of the volume (not only those available to the caller); 0 when unknown.
    virtual std::int64_t FreeBytes(const std::string& path) = 0;
    // Label of the volume; empty when it has none or it cannot be read.
    virtual std::string Label(const std::string& path) = 0;
    // The folder the volume is mounted at.
    virtual std::string MountPoint(const std::string& path) = 0;
    // True for a folder on a network file system (NFS, SMB/CIFS, network FUSE mounts).
    virtual bool IsNetwork(const std::string& path) = 0;
};

// The facts as Linux gives them: statvfs, /proc/self/mountinfo and /dev/disk/by-label.
class LinuxVolumeFacts : public VolumeFacts {
  public:
    std::uint64_t ClusterSize(const std::string& path) override;
    std::int64_t FreeBytes(const std::string& path) override;
    std::string Label(const std::string& path) override;
    std::string MountPoint(const std::string& path) override;
    bool IsNetwork(const std::string& path) override;
};

// A mount as /proc/self/mountinfo describes it.
struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint;
    std::string fsType;
    std::string source;
};

// Parses one line of /proc/self/mountinfo (octal escapes such as \040 decoded); false when the
// line is not a mount line.
bool ParseMountInfoLine(const std::string& line, MountEntry& entry);

// True for the file-system types of network mounts.
bool IsNetworkFsType(const std::string& fsType);

// Decodes the \xNN escapes udev writes into /dev/disk/by-label names.
std::string DecodeUdevLabel(const std::string& name);

}  // namespace tabulo
