#include "metadata/VersionInfo.h"

#include <cstdio>
#include <vector>

#include "metadata/BinaryView.h"
#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::uint32_t kRtVersion = 16;
constexpr std::size_t kDataDirectorySize = 8;  // address and size of one table
constexpr std::size_t kFieldChars = 30;
// Limits that no real file reaches; they keep hostile files from costing time or memory.
constexpr std::uint32_t kMaxSections = 1024;
constexpr std::uint32_t kMaxOptionalHeader = 4096;
constexpr std::uint32_t kMaxDirectoryEntries = 4096;
constexpr std::size_t kMaxVersionBytes = 0x10000;  // a version block's length is a 16-bit count

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// Where a PE file's resources are and how its sections map addresses to file offsets.
class PeImage {
  public:
    bool Open(const ByteSource& file);
    // The file offset of `length` bytes at the relative virtual address rva, when they lie in
    // one section's data.
    std::optional<std::int64_t> FileOffset(std::uint32_t rva, std::uint32_t length) const;
    std::uint32_t ResourceRva() const { return resourceRva_; }

  private:
    std::vector<Section> sections_;
    std::uint32_t resourceRva_ = 0;
};

bool PeImage::Open(const ByteSource& file) {
    const std::string dos = file.Read(0, 64);
    const BinaryView dosView(dos);
    if (dosView.Slice(0, 2) != std::string_view("MZ")) return false;
    const auto peOffset = dosView.U32Le(0x3C);
    if (!peOffset) return false;

    const std::string head = file.Read(*peOffset, 24 + kMaxOptionalHeader);
    const BinaryView pe(head);
    if (pe.Slice(0, 4) != std::string_view("PE\0\0", 4)) return false;
    const auto sectionCount = pe.U16Le(6);
    const auto optionalSize = pe.U16Le(20);
    const auto magic = pe.U16Le(24);
    if (!sectionCount || !optionalSize || !magic || *optionalSize > kMaxOptionalHeader) return false;
    std::size_t countAt = 0;
    if (*magic == 0x10B)
        countAt = 24 + 92;
    else if (*magic == 0x20B)
        countAt = 24 + 108;
    else
        return false;
    const std::size_t directoriesAt = countAt + 4;
    const auto directoryCount = pe.U32Le(countAt);
    // The resource table is data directory 2; it must lie inside the optional header.
    if (!directoryCount || *directoryCount < 3 ||
        directoriesAt + 3 * kDataDirectorySize > 24 + std::size_t{*optionalSize})
        return false;
    const auto resourceRva = pe.U32Le(directoriesAt + 2 * kDataDirectorySize);
    if (!resourceRva || *resourceRva == 0) return false;
    resourceRva_ = *resourceRva;

    const std::uint32_t count = std::min<std::uint32_t>(*sectionCount, kMaxSections);
    const std::string table = file.Read(std::int64_t{*peOffset} + 24 + *optionalSize, std::size_t{count} * 40);
    const BinaryView sections(table);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t{i} * 40;
        const auto virtualSize = sections.U32Le(at + 8);
        const auto virtualAddress = sections.U32Le(at + 12);
        const auto rawSize = sections.U32Le(at + 16);
        const auto rawOffset = sections.U32Le(at + 20);
        if (!virtualSize || !virtualAddress || !rawSize || !rawOffset) break;
        sections_.push_back({*virtualAddress, *virtualSize, *rawSize, *rawOffset});
    }
    return !sections_.empty();
}

std::optional<std::int64_t> PeImage::FileOffset(std::uint32_t rva, std::uint32_t length) const {
    for (const Section& s : sections_) {
        const std::uint64_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva < s.virtualAddress || rva - s.virtualAddress >= extent) continue;
        const std::uint64_t within = rva - s.virtualAddress;
        if (within + length > s.rawSize) return std::nullopt;
        return static_cast<std::int64_t>(s.rawOffset + within);
    }
    return std::nullopt;
}

struct DirectoryEntry {
    std::uint32_t name;    // an id, or a name's offset with the high bit set
    std::uint32_t target;  // a data entry's offset, or a subdirectory's offset with the high bit set
};

constexpr std::uint32_t kHighBit = 0x80000000u;

// The entries of the resource directory at `offset` from the start of the resource table.
std::vector<DirectoryEntry> ReadDirectory(const ByteSource& file, const PeImage& image, std::uint32_t offset) {
    std::vector<DirectoryEntry> entries;
    const auto at = image.FileOffset(image.ResourceRva() + offset, 16);
    if (!at) return entries;
    const std::string head = file.Read(*at, 16);
    const BinaryView header(head);
    const auto named = header.U16Le(12);
    const auto ids = header.U16Le(14);
    if (!named || !ids) return entries;
    const std::uint32_t count = std::min<std::uint32_t>(std::uint32_t{*named} + *ids, kMaxDirectoryEntries);
    const std::string table = file.Read(*at + 16, std::size_t{count} * 8);
    const BinaryView view(table);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto name = view.U32Le(std::size_t{i} * 8);
        const auto target = view.U32Le(std::size_t{i} * 8 + 4);
        if (!name || !target) break;
        entries.push_back({*name, *target});
    }
    return entries;
}

// The subdirectory of an entry with the given id (or of the first entry when `id` is none).
std::optional<std::uint32_t> SubdirectoryOf(const std::vector<DirectoryEntry>& entries,
                                            std::optional<std::uint32_t> id) {
    for (const DirectoryEntry& e : entries) {
        if (id && e.name != *id) continue;
        if (!(e.target & kHighBit)) return std::nullopt;
        return e.target & ~kHighBit;
    }
    return std::nullopt;
}

// A key of a version block: UTF-16 up to its NUL. Returns the offset after the NUL.
std::size_t ReadKey(const BinaryView& view, std::size_t at, std::size_t end, std::string& key) {
    std::size_t p = at;
    while (p + 1 < end && (view.Bytes()[p] != '\0' || view.Bytes()[p + 1] != '\0'))
        p += 2;
    key = utf8::FromUtf16Le(view.Bytes().substr(at, p - at));
    return std::min(p + 2, end);
}

constexpr std::size_t Align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// One block of a VS_VERSIONINFO tree: wLength, wValueLength, wType, key, value, children.
struct VersionBlock {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string key;
    std::size_t valueStart = 0;
    std::size_t valueEnd = 0;
    std::size_t childrenStart = 0;
    bool text = false;
};

std::optional<VersionBlock> ReadBlock(const BinaryView& view, std::size_t start, std::size_t limit) {
    const auto length = view.U16Le(start);
    const auto valueLength = view.U16Le(start + 2);
    const auto type = view.U16Le(start + 4);
    if (!length || !valueLength || !type || *length < 6) return std::nullopt;
    VersionBlock block;
    block.start = start;
    block.end = std::min(limit, start + *length);
    if (block.end <= start + 6) return std::nullopt;
    block.text = *type == 1;
    block.valueStart = std::min(Align4(ReadKey(view, start + 6, block.end, block.key)), block.end);
    const std::size_t valueBytes = block.text ? std::size_t{*valueLength} * 2 : *valueLength;
    block.valueEnd = std::min(block.valueStart + valueBytes, block.end);
    block.childrenStart = std::min(Align4(block.valueEnd), block.end);
    return block;
}

// The child of `parent` whose key equals `key`, ignoring case.
std::optional<VersionBlock> FindChild(const BinaryView& view, const VersionBlock& parent, std::string_view key) {
    const std::string wanted = text::AsciiUpper(key);
    for (std::size_t at = parent.childrenStart; at + 6 <= parent.end;) {
        auto child = ReadBlock(view, at, parent.end);
        if (!child) return std::nullopt;
        if (text::AsciiUpper(child->key) == wanted) return child;
        at = Align4(child->end);
    }
    return std::nullopt;
}

// The block reached from the root through children with these keys.
std::optional<VersionBlock> FindBlock(std::string_view versionInfo, const std::vector<std::string_view>& keys) {
    const BinaryView view(versionInfo);
    auto block = ReadBlock(view, 0, versionInfo.size());
    for (const std::string_view key : keys) {
        if (!block) break;
        block = FindChild(view, *block, key);
    }
    return block;
}

}  // namespace

std::optional<std::string> FindVersionResource(const ByteSource& file) {
    PeImage image;
    if (!image.Open(file)) return std::nullopt;
    const auto types = ReadDirectory(file, image, 0);
    const auto names = SubdirectoryOf(types, kRtVersion);
    if (!names) return std::nullopt;
    const auto nameEntries = ReadDirectory(file, image, *names);
    // The resource named 1 (VS_VERSION_INFO), else the first one.
    auto languages = SubdirectoryOf(nameEntries, 1u);
    if (!languages) languages = SubdirectoryOf(nameEntries, std::nullopt);
    if (!languages) return std::nullopt;
    const auto languageEntries = ReadDirectory(file, image, *languages);
    // Language neutral first, then US English, then whatever comes first.
    std::optional<std::uint32_t> dataEntry;
    for (const std::uint32_t language : {0u, 0x409u}) {
        for (const DirectoryEntry& e : languageEntries) {
            if (!dataEntry && e.name == language && !(e.target & kHighBit)) dataEntry = e.target;
        }
    }
    if (!dataEntry && !languageEntries.empty() && !(languageEntries.front().target & kHighBit)) {
        dataEntry = languageEntries.front().target;
    }
    if (!dataEntry) return std::nullopt;
    const auto entryAt = image.FileOffset(image.ResourceRva() + *dataEntry, 16);
    if (!entryAt) return std::nullopt;
    const std::string entry = file.Read(*entryAt, 16);
    const BinaryView entryView(entry);
    const auto dataRva = entryView.U32Le(0);
    const auto dataSize = entryView.U32Le(4);
    if (!dataRva || !dataSize) return std::nullopt;
    const std::uint32_t size = static_cast<std::uint32_t>(std::min<std::size_t>(*dataSize, kMaxVersionBytes));
    const auto dataAt = image.FileOffset(*dataRva, size);
    if (!dataAt) return std::nullopt;
    std::string data = file.Read(*dataAt, size);
    if (data.size() != size) return std::nullopt;
    return data;
}

std::optional<std::string_view> VerQueryValue(std::string_view versionInfo, std::string_view path) {
    std::vector<std::string_view> keys;
    while (!path.empty()) {
        const std::size_t sep = path.find('\\');
        if (sep != 0) keys.push_back(path.substr(0, sep));
        path = sep == std::string_view::npos ? std::string_view() : path.substr(sep + 1);
    }
    const auto block = FindBlock(versionInfo, keys);
    if (!block) return std::nullopt;
    return versionInfo.substr(block->valueStart, block->valueEnd - block->valueStart);
}

std::string GetVersionString(std::string_view versionInfo, std::string_view name) {
    const auto translation = VerQueryValue(versionInfo, "\\VarFileInfo\\Translation");
    if (!translation) return {};
    const BinaryView entry(*translation);
    const auto language = entry.U16Le(0);
    const auto codePage = entry.U16Le(2);
    if (!language || !codePage) return {};
    char table[9];
    std::snprintf(table, sizeof table, "%04X%04X", unsigned{*language}, unsigned{*codePage});
    const auto block = FindBlock(versionInfo, {"StringFileInfo", table, name});
    if (!block) return {};
    // The text runs from the value to its first NUL; its stated length is not trusted, since
    // tools disagree on whether it counts bytes or characters.
    const std::string_view rest = versionInfo.substr(block->valueStart, block->end - block->valueStart);
    std::size_t end = 0;
    while (end + 1 < rest.size() && (rest[end] != '\0' || rest[end + 1] != '\0'))
        end += 2;
    return text::ShownText(utf8::FromUtf16Le(rest.substr(0, end)));
}

std::string ReadVersionInfo(const ByteSource& file, VersionInfoRecord& record) {
    const std::string info = FindVersionResource(file).value_or(std::string());
    auto field = [&info](std::string_view name) {
        return std::string(utf8::FirstChars(GetVersionString(info, name), kFieldChars));
    };
    record.CompanyName = field("CompanyName");
    record.FileDescription = field("FileDescription");
    record.ProductName = field("ProductName");
    record.ProductVersion = field("ProductVersion");
    return record.FileDescription;
}

std::string ReadVersionInfo(const std::string& path, VersionInfoRecord& record) {
    InputFile file(path);
    if (!file.IsOpen()) {
        record.CompanyName.clear();
        record.FileDescription.clear();
        record.ProductName.clear();
        record.ProductVersion.clear();
        return {};
    }
    return ReadVersionInfo(static_cast<const ByteSource&>(file), record);
}

}  // namespace tabulo
