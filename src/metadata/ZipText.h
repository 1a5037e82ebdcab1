#pragma once

#include <string>
#include <string_view>

#include "metadata/ByteSource.h"

namespace tabulo {

// The AutoComment of a zip archive: the first line of its file_id.diz (else readme.txt, else
// whatsnew.txt) that is left with text once the frame characters are taken out, trimmed, at
// most 500 characters; empty when it has fewer than 3 or anything fails. At most the first
// 64 KiB of the member are extracted.
std::string ZipTextComment(const ByteSource& archive);
std::string ZipTextComment(const std::string& path);

// The comment made of an extracted member's text.
std::string ZipMemberComment(std::string_view text);

}  // namespace tabulo
