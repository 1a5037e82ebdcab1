#pragma once

#include <optional>
#include <vector>

#include "engine/RunServices.h"
#include "metadata/ByteSource.h"

namespace tabulo {

// The file members of an archive of any kind libarchive reads (zip, tar with its compressions,
// 7z, rar, cab, iso, cpio, ar, lha, xar, warc): folder entries left out, members of the
// archive's folders included, in the archive's order, with their uncompressed 64-bit sizes and
// modification times. A damaged member is left out; data that is not such an archive gives none.
std::optional<std::vector<ArchiveMember>> ListArchiveMembers(const ByteSource& source);

class LibArchiveLister : public ArchiveLister {
  public:
    std::optional<std::vector<ArchiveMember>> ListMembers(const std::string& path) override;
};

}  // namespace tabulo
