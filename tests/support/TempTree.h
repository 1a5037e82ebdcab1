#pragma once

#include <cstdint>
#include <string>

namespace tabulo::test {

// A temporary folder that tests fill with files of chosen names, sizes (sparse) and times; it is
// removed with everything in it when the object goes.
class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The folder's absolute path, without a final "/".
    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    // Makes a folder (and its parents) below the root.
    void Folder(const std::string& relative) const;
    // Makes a file of `size` bytes (sparse) with the last-write and access time `mtime` (seconds
    // since 1970, UTC); its folders are made as needed.
    void File(const std::string& relative, std::int64_t size = 0, std::int64_t mtime = 1136073600) const;
    // Makes a file with the given content.
    void Text(const std::string& relative, const std::string& content, std::int64_t mtime = 1136073600) const;
    void Symlink(const std::string& target, const std::string& relative) const;
    // Sets the last-write time of a file or folder.
    void Touch(const std::string& relative, std::int64_t mtime) const;

  private:
    std::string root_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Seconds since 1970 of a UTC date and time.
std::int64_t UtcTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Runs the test process in a fixed time zone (UTC) so dates do not depend on the machine.
void PinTimeZone();

// Points TABULO_SETTINGS at a file of this test process that does not exist, so tabulo-cli runs
// start from the factory settings and never read or write the user's store.
void IsolateSettings();

}  // namespace tabulo::test
