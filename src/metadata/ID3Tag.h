#pragma once

#include <string>
#include <string_view>

#include "engine/MetadataRecords.h"
#include "metadata/ByteSource.h"

namespace tabulo {

// The genre name of an ID3v1 genre code 0 to 144; empty for other codes.
std::string_view GenreName(int code);

// Reads the ID3v1 tag in the last 128 bytes into `record` (fields fitted to their columns);
// answers whether there was one. Without a tag all fields are emptied.
bool ReadID3Tag(const ByteSource& file, ID3Record& record);
bool ReadID3Tag(const std::string& path, ID3Record& record);

// Reads the tag and makes the AutoComment "Title (Artist - Album)" of it; empty without a tag.
std::string MP3Comment(const std::string& path, ID3Record& record);
std::string MP3Comment(const ByteSource& file, ID3Record& record);

}  // namespace tabulo
