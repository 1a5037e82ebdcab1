#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/MetadataRecords.h"
#include "metadata/ByteSource.h"

namespace tabulo {

// The size of the buffer an IPTC block is read into; a larger JPEG block is not read.
inline constexpr std::size_t kIPTCBufferSize = 38000;
// The JPEG APP13 marker, which holds the Photoshop resources with the IPTC datasets.
inline constexpr std::uint8_t kApp13Marker = 0xED;

// Where a TIFF file keeps its IPTC block: the entry with tag 33723.
struct TiffIptcEntry {
    int directory = 0;  // 1 for the first image file directory
    int entry = 0;      // 0 for the directory's first entry
    std::uint32_t count = 0;
    std::uint32_t offset = 0;
};

// Walks the image file directories of a TIFF file (either byte order) and reports the last
// entry with tag 33723. None when there is none or the file has more than 32 directories or a
// directory of more than 64 entries, or a directory cannot be read.
std::optional<TiffIptcEntry> ReadTiffDirectory(const ByteSource& file);

// The IPTC block of a JPEG file: the payload of the first APP13 segment whose data starts with
// "Photo" in the file's first 64,000 bytes (`head` holds the first bytes of the file). None when
// there is no such segment or its block is larger than the buffer.
std::optional<std::string> FindJpegIPTCBlock(std::string_view head, std::uint8_t marker);

// The IPTC block of a file by its upper-cased extension: ".JPG" and ".TIF" are searched, every
// other extension has none.
std::optional<std::string> FindIPTCBlock(const ByteSource& file, std::string_view upperExtension, std::uint8_t marker);

// Scans a block for record-2 datasets and stores them in `data` (which the caller has cleared).
void ParseIPTCDatasets(std::string_view block, TIPTCData& data);

// Reads the IPTC record of an image into `data`: cleared first, then the datasets of its block;
// Priority becomes 9 when the block gives none. Answers whether a block was read.
bool ReadIPTC(const ByteSource& file, std::string_view upperExtension, TIPTCData& data);

// The reader the AutoComments' image source uses: set Filename and IPTCData, then ReadIPTC.
class TIPTC {
  public:
    std::string Filename;
    TIPTCData* IPTCData = nullptr;

    bool ReadIPTC();
};

}  // namespace tabulo
