#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo {

// The lines of a catalog file. A line ends at a carriage return, a line feed, or both in that
// order; a final line end does not start another line. Lines that are not valid UTF-8 were
// written in a Windows code page and are read as Windows-1252; a UTF-8 byte order mark at the
// start of the file is dropped.
class CatalogFile {
  public:
    // Reads the whole file; throws TabuloError naming the file and the reason when it cannot.
    explicit CatalogFile(const std::string& path);
    // Splits text that is already in memory.
    static CatalogFile FromText(std::string text);

    std::size_t LineCount() const { return lines_.size(); }
    std::string_view Line(std::size_t i) const { return lines_[i]; }

  private:
    CatalogFile() = default;
    void SplitLines();

    // lines_ point into these; both keep their place when the object is moved.
    std::unique_ptr<std::string> text_;
    std::deque<std::string> converted_;  // lines read as Windows-1252
    std::vector<std::string_view> lines_;
};

}  // namespace tabulo
