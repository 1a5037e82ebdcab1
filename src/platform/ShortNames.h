#pragma once

#include <string>
#include <unordered_map>

namespace tabulo {

// The 8.3 name a file system keeps beside a long name.
class ShortNameSource {
  public:
    virtual ~ShortNameSource() = default;
    // The short name of `name` in `folder` (a path ending in "/"); empty when the file system
    // keeps none or the file does not exist.
    virtual std::string ShortName(const std::string& folder, const std::string& name) = 0;
};

// Linux: the kernel's short names on vfat volumes; elsewhere every short name is empty. The
// names of the last folder asked for are kept, so a folder is read once.
class LinuxShortNames : public ShortNameSource {
  public:
    std::string ShortName(const std::string& folder, const std::string& name) override;

  private:
    std::string folder_;
    bool vfat_ = false;
    std::unordered_map<std::string, std::string> names_;
};

}  // namespace tabulo
