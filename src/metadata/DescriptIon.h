#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tabulo {

// The names and descriptions of one folder's descript.ion file, in the order of its lines.
// Names are kept upper-cased; descriptions exactly as they stand (no trimming).
class DescriptIonTable {
  public:
    // Reads the lines of a descript.ion text (lines end at CR, LF or CR LF).
    void Parse(std::string_view text);
    // Reads folder + "descript.ion" (a differently cased "DESCRIPT.ION" too); marks the table
    // absent when there is none.
    void Load(const std::string& folder);
    void Clear();

    bool Present() const { return present_; }
    // The description of the first line naming `fileName` (compared upper-cased), if any.
    std::optional<std::string> Lookup(std::string_view fileName) const;

    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Descriptions() const { return descriptions_; }

  private:
    bool present_ = false;
    std::vector<std::string> names_;
    std::vector<std::string> descriptions_;
    std::unordered_map<std::string, std::size_t> firstLine_;  // upper-cased name -> its first line
};

// Splits one descript.ion line into its name and description.
void SplitDescriptIonLine(std::string_view line, std::string& name, std::string& description);

}  // namespace tabulo
