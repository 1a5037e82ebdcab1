#include "metadata/DescriptIon.h"

#include <dirent.h>

#include <memory>

#include "metadata/ByteSource.h"
#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

// More than any real descript.ion holds; a larger file is read this far.
constexpr std::size_t kMaxDescriptIonBytes = std::size_t{16} * 1024 * 1024;

// The folder's descript.ion under its exact name or, failing that, under any casing of it
// (files copied from DOS volumes are often called DESCRIPT.ION).
std::string FindDescriptIon(const std::string& folder) {
    std::string exact = folder + "descript.ion";
    if (RegularFileExists(exact)) return exact;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir) return {};
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string_view name(e->d_name);
        if (name.size() == 12 && text::AsciiUpper(name) == "DESCRIPT.ION" && RegularFileExists(folder + e->d_name)) {
            return folder + e->d_name;
        }
    }
    return {};
}

}  // namespace

void SplitDescriptIonLine(std::string_view line, std::string& name, std::string& description) {
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) {
            name.clear();
            description = line.size() > 2 ? std::string(line.substr(2)) : std::string();
        } else {
            name = line.substr(1, close - 1);
            description = close + 2 < line.size() ? std::string(line.substr(close + 2)) : std::string();
        }
        return;
    }
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) {
        name.clear();
        description = line;
    } else {
        name = line.substr(0, space);
        description = line.substr(space + 1);
    }
}

void DescriptIonTable::Clear() {
    present_ = false;
    names_.clear();
    descriptions_.clear();
    firstLine_.clear();
}

void DescriptIonTable::Parse(std::string_view text) {
    Clear();
    present_ = true;
    std::string name;
    std::string description;
    for (std::string_view line : text::SplitLines(text)) {
        SplitDescriptIonLine(line, name, description);
        names_.push_back(utf8::ToUpper(name));
        descriptions_.push_back(text::ShownText(description));
        firstLine_.emplace(names_.back(), names_.size() - 1);
    }
}

void DescriptIonTable::Load(const std::string& folder) {
    const std::string path = FindDescriptIon(folder);
    if (path.empty()) {
        Clear();
        return;
    }
    InputFile file(path);
    Parse(file.IsOpen() ? file.Head(kMaxDescriptIonBytes) : std::string());
}

std::optional<std::string> DescriptIonTable::Lookup(std::string_view fileName) const {
    if (!present_) return std::nullopt;
    const auto it = firstLine_.find(utf8::ToUpper(fileName));
    if (it == firstLine_.end()) return std::nullopt;
    return descriptions_[it->second];
}

}  // namespace tabulo
