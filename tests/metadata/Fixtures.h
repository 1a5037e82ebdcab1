#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Builders of small binary files for the metadata tests, byte by byte.
namespace tabulo::test {

std::string U16Le(unsigned v);
std::string U32Le(std::uint32_t v);
std::string U16Be(unsigned v);
std::string U32Be(std::uint32_t v);
std::string Utf16(std::string_view ascii);  // ASCII text as UTF-16LE, no NUL

// An ID3v1 tag (128 bytes) of the given fields, NUL-padded.
std::string Id3v1Tag(std::string_view title, std::string_view artist, std::string_view album, std::string_view year,
                     std::string_view comment, int track, int genre, std::string_view magic = "TAG");

// A VS_VERSIONINFO block with one translation entry and one string table.
struct VersionStrings {
    unsigned language = 0x0409;
    unsigned codePage = 1252;
    std::string table = "040904E4";
    std::vector<std::pair<std::string, std::string>> strings;
};
std::string VersionInfoBlock(const VersionStrings& v);

// A minimal PE file (32- or 64-bit) whose only section holds a resource table with the version
// block as its RT_VERSION resource.
std::string PeWithVersion(const std::string& versionBlock, bool pe64);

// An IPTC record-2 dataset.
std::string Dataset(int number, std::string_view data);
// A JPEG whose APP13 "Photoshop 3.0" segment holds the datasets, after `padding` bytes of an
// APP1 segment chain (so the segment can be placed far into the file).
std::string JpegWithIptc(const std::string& datasets, std::size_t padding = 0);
// A TIFF file in either byte order with `directories` image file directories; the last holds the
// IPTC entry (tag 33723, LONG, count = block bytes / 4) pointing at the block.
std::string TiffWithIptc(const std::string& block, bool bigEndian, int directories);

// A shell link with a LinkInfo naming a local base path and suffix (empty base: none), a network
// share (empty: none) and a relative path in its string data (empty: none).
struct LinkParts {
    std::string localBase;
    std::string suffix;
    std::string netName;
    std::string relativePath;
    bool unicodeStrings = true;
    bool withIdList = true;
};
std::string ShellLink(const LinkParts& parts);

// An archive made by libarchive's writer: "zip", "tar.gz", "7z", "tar", or "gz" (one member's data
// compressed, no archive). Members whose name ends
// in "/" are folders.
std::string MakeArchive(std::string_view kind, const std::vector<std::pair<std::string, std::string>>& members,
                        std::int64_t mtime = 1136073600);

}  // namespace tabulo::test
