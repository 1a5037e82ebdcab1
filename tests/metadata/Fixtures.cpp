#include "Fixtures.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

namespace tabulo::test {

std::string U16Le(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string U32Le(std::uint32_t v) {
    return U16Le(v & 0xFFFF) + U16Le(v >> 16);
}
std::string U16Be(unsigned v) {
    return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}
std::string U32Be(std::uint32_t v) {
    return U16Be(v >> 16) + U16Be(v & 0xFFFF);
}

std::string Utf16(std::string_view ascii) {
    std::string out;
    for (char c : ascii)
        out += U16Le(static_cast<unsigned char>(c));
    return out;
}

namespace {

std::string Fixed(std::string_view text, std::size_t length) {
    std::string field(text.substr(0, length));
    field.resize(length, '\0');
    return field;
}

void PadTo4(std::string& s) {
    while (s.size() % 4 != 0)
        s.push_back('\0');
}

// One block of a version resource: length, value length, type, key, value, children.
std::string VersionBlock(std::string_view key, const std::string& value, unsigned valueLength, bool text,
                         const std::vector<std::string>& children) {
    std::string body = U16Le(0) + U16Le(valueLength) + U16Le(text ? 1 : 0) + Utf16(key) + U16Le(0);
    PadTo4(body);
    body += value;
    for (const std::string& child : children) {
        PadTo4(body);
        body += child;
    }
    body.replace(0, 2, U16Le(static_cast<unsigned>(body.size())));
    return body;
}

}  // namespace

std::string Id3v1Tag(std::string_view title, std::string_view artist, std::string_view album, std::string_view year,
                     std::string_view comment, int track, int genre, std::string_view magic) {
    std::string tag =
        Fixed(magic, 3) + Fixed(title, 30) + Fixed(artist, 30) + Fixed(album, 30) + Fixed(year, 4) + Fixed(comment, 29);
    tag.push_back(static_cast<char>(track));
    tag.push_back(static_cast<char>(genre));
    return tag;
}

std::string VersionInfoBlock(const VersionStrings& v) {
    std::vector<std::string> strings;
    for (const auto& [name, value] : v.strings) {
        strings.push_back(
            VersionBlock(name, Utf16(value) + U16Le(0), static_cast<unsigned>(value.size() + 1), true, {}));
    }
    const std::string table = VersionBlock(v.table, "", 0, true, strings);
    const std::string stringFileInfo = VersionBlock("StringFileInfo", "", 0, true, {table});
    const std::string translation = VersionBlock("Translation", U16Le(v.language) + U16Le(v.codePage), 4, false, {});
    const std::string varFileInfo = VersionBlock("VarFileInfo", "", 0, true, {translation});
    std::string fixed = U32Le(0xFEEF04BD) + std::string(48, '\0');
    return VersionBlock("VS_VERSION_INFO", fixed, 52, false, {stringFileInfo, varFileInfo});
}

std::string PeWithVersion(const std::string& versionBlock, bool pe64) {
    constexpr std::uint32_t kPeOffset = 0x40;
    constexpr std::uint32_t kSectionRva = 0x1000;
    constexpr std::uint32_t kSectionFile = 0x200;
    const unsigned optionalSize = pe64 ? 240 : 224;

    // Resource table: type 16 -> name 1 -> language 0x409 -> data entry -> version block.
    std::string rsrc;
    auto directory = [](std::uint32_t id, std::uint32_t target) {
        return std::string(12, '\0') + U16Le(0) + U16Le(1) + U32Le(id) + U32Le(target);
    };
    rsrc += directory(16, 0x80000000u | 0x18);
    rsrc += directory(1, 0x80000000u | 0x30);
    rsrc += directory(0x409, 0x48);
    rsrc += U32Le(kSectionRva + 0x58) + U32Le(static_cast<std::uint32_t>(versionBlock.size())) + U32Le(0) + U32Le(0);
    rsrc += versionBlock;
    PadTo4(rsrc);

    std::string file(kPeOffset, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    file.replace(0x3C, 4, U32Le(kPeOffset));
    file += std::string("PE\0\0", 4);
    file +=
        U16Le(pe64 ? 0x8664 : 0x14C) + U16Le(1) + U32Le(0) + U32Le(0) + U32Le(0) + U16Le(optionalSize) + U16Le(0x2022);
    std::string optional(optionalSize, '\0');
    optional.replace(0, 2, U16Le(pe64 ? 0x20B : 0x10B));
    const std::size_t countAt = pe64 ? 108 : 92;
    optional.replace(countAt, 4, U32Le(16));
    optional.replace(countAt + 4 + 2 * 8, 8, U32Le(kSectionRva) + U32Le(static_cast<std::uint32_t>(rsrc.size())));
    file += optional;
    file += std::string(".rsrc\0\0\0", 8) + U32Le(static_cast<std::uint32_t>(rsrc.size())) + U32Le(kSectionRva) +
            U32Le(static_cast<std::uint32_t>(rsrc.size())) + U32Le(kSectionFile) + std::string(16, '\0');
    file.resize(kSectionFile, '\0');
    file += rsrc;
    return file;
}

std::string Dataset(int number, std::string_view data) {
    std::string d = {'\x1C', '\x02', static_cast<char>(number)};
    d += U16Be(static_cast<unsigned>(data.size()));
    d += data;
    return d;
}

std::string JpegWithIptc(const std::string& datasets, std::size_t padding) {
    std::string file = "\xFF\xD8";
    // Filler segments (APP1) of at most 65,000 bytes each, zero-filled.
    while (padding > 0) {
        const std::size_t chunk = std::min<std::size_t>(padding, 65000);
        file += "\xFF\xE1" + U16Be(static_cast<unsigned>(chunk + 2)) + std::string(chunk, '\0');
        padding -= chunk;
    }
    std::string resource =
        "8BIM" + U16Be(0x0404) + std::string(2, '\0') + U32Be(static_cast<std::uint32_t>(datasets.size())) + datasets;
    if (resource.size() % 2) resource.push_back('\0');
    const std::string payload = std::string("Photoshop 3.0\0", 14) + resource;
    file += "\xFF\xED" + U16Be(static_cast<unsigned>(payload.size() + 2)) + payload;
    file += "\xFF\xD9";
    return file;
}

std::string TiffWithIptc(const std::string& block, bool bigEndian, int directories) {
    auto u16 = [bigEndian](unsigned v) { return bigEndian ? U16Be(v) : U16Le(v); };
    auto u32 = [bigEndian](std::uint32_t v) { return bigEndian ? U32Be(v) : U32Le(v); };
    std::string file = bigEndian ? "MM" : "II";
    file += u16(42) + u32(8);
    for (int d = 1; d <= directories; ++d) {
        const bool last = d == directories;
        const std::uint32_t start = static_cast<std::uint32_t>(file.size());
        const unsigned entries = last ? 2 : 1;
        const std::uint32_t next = last ? 0 : start + 2 + entries * 12 + 4;
        file += u16(entries);
        file += u16(256) + u16(4) + u32(1) + u32(64);  // ImageWidth
        if (last) {
            const std::uint32_t blockAt = start + 2 + entries * 12 + 4;
            file += u16(33723) + u16(4) + u32(static_cast<std::uint32_t>((block.size() + 3) / 4)) + u32(blockAt);
        }
        file += u32(next);
    }
    file += block;
    while (file.size() % 4)
        file.push_back('\0');
    return file;
}

std::string ShellLink(const LinkParts& parts) {
    constexpr std::uint32_t kHasIdList = 0x1, kHasLinkInfo = 0x2, kHasRelativePath = 0x8, kIsUnicode = 0x80;
    std::uint32_t flags = 0;
    if (parts.withIdList) flags |= kHasIdList;
    const bool linkInfo = !parts.localBase.empty() || !parts.netName.empty();
    if (linkInfo) flags |= kHasLinkInfo;
    if (!parts.relativePath.empty()) flags |= kHasRelativePath;
    if (parts.unicodeStrings) flags |= kIsUnicode;

    std::string link = U32Le(0x4C) +
                       std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16) +
                       U32Le(flags) + U32Le(0x20) + std::string(76 - 28, '\0');
    if (parts.withIdList) link += U16Le(4) + U16Le(2) + U16Le(0);  // one empty item and the terminator
    if (linkInfo) {
        // Header of 0x24 bytes with the Unicode offsets, then the volume id, the ANSI strings,
        // the network link and the Unicode strings.
        std::string body;
        const std::uint32_t headerSize = parts.unicodeStrings ? 0x24 : 0x1C;
        std::uint32_t infoFlags = 0;
        std::string tail;
        auto place = [&](const std::string& bytes) {
            const std::uint32_t at = headerSize + static_cast<std::uint32_t>(tail.size());
            tail += bytes;
            return at;
        };
        std::uint32_t volumeAt = 0, baseAt = 0, netAt = 0, suffixAt = 0, baseUAt = 0, suffixUAt = 0;
        if (!parts.localBase.empty()) {
            infoFlags |= 1;
            volumeAt = place(U32Le(0x11) + U32Le(3) + U32Le(0x1234) + U32Le(0x10) + std::string(1, '\0'));
            baseAt = place(parts.localBase + '\0');
            if (parts.unicodeStrings) baseUAt = place(Utf16(parts.localBase) + U16Le(0));
        }
        if (!parts.netName.empty()) {
            infoFlags |= 2;
            const std::string name = parts.netName + '\0';
            netAt = place(U32Le(static_cast<std::uint32_t>(0x14 + name.size())) + U32Le(0) + U32Le(0x14) + U32Le(0) +
                          U32Le(0x20000) + name);
        }
        suffixAt = place(parts.suffix + '\0');
        if (parts.unicodeStrings) suffixUAt = place(Utf16(parts.suffix) + U16Le(0));
        body = U32Le(0) + U32Le(headerSize) + U32Le(infoFlags) + U32Le(volumeAt) + U32Le(baseAt) + U32Le(netAt) +
               U32Le(suffixAt);
        if (parts.unicodeStrings) body += U32Le(baseUAt) + U32Le(suffixUAt);
        body += tail;
        body.replace(0, 4, U32Le(static_cast<std::uint32_t>(body.size())));
        link += body;
    }
    if (!parts.relativePath.empty()) {
        link += U16Le(static_cast<unsigned>(parts.relativePath.size()));
        link += parts.unicodeStrings ? Utf16(parts.relativePath) : parts.relativePath;
    }
    link += U32Le(0);  // no extra data
    return link;
}

std::string MakeArchive(std::string_view kind, const std::vector<std::pair<std::string, std::string>>& members,
                        std::int64_t mtime) {
    archive* a = archive_write_new();
    if (kind == "zip") {
        archive_write_set_format_zip(a);
    } else if (kind == "7z") {
        archive_write_set_format_7zip(a);
    } else if (kind == "gz") {
        archive_write_set_format_raw(a);
        archive_write_add_filter_gzip(a);
    } else {
        archive_write_set_format_pax_restricted(a);
        if (kind == "tar.gz") archive_write_add_filter_gzip(a);
    }
    std::vector<char> buffer(4 * 1024 * 1024 + members.size() * 1024);
    for (const auto& m : members)
        buffer.resize(buffer.size() + m.second.size() * 2);
    std::size_t used = 0;
    if (archive_write_open_memory(a, buffer.data(), buffer.size(), &used) != ARCHIVE_OK) {
        throw std::runtime_error(archive_error_string(a));
    }
    for (const auto& [name, data] : members) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, name.c_str());
        const bool folder = !name.empty() && name.back() == '/';
        archive_entry_set_filetype(e, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(e, folder ? 0755 : 0644);
        archive_entry_set_size(e, folder ? 0 : static_cast<la_int64_t>(data.size()));
        archive_entry_set_mtime(e, static_cast<time_t>(mtime), 0);
        if (archive_write_header(a, e) != ARCHIVE_OK) throw std::runtime_error(archive_error_string(a));
        if (!folder && !data.empty()) archive_write_data(a, data.data(), data.size());
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    return std::string(buffer.data(), used);
}

}  // namespace tabulo::test
