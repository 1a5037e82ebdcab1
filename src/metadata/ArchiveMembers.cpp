#include "metadata/ArchiveMembers.h"

#include <archive.h>
#include <archive_entry.h>

#include "metadata/ArchiveReader.h"

namespace tabulo {

std::optional<std::vector<ArchiveMember>> ListArchiveMembers(const ByteSource& source) {
    ArchiveReader reader(source, ArchiveReader::Formats::Archives);
    if (!reader.IsOpen()) return std::nullopt;
    std::vector<ArchiveMember> members;
    for (bool first = true;; first = false) {
        const ArchiveReader::Next next = reader.NextEntry();
        // Failing at once means the format was not recognised; later, the rest is damaged.
        if (next == ArchiveReader::Next::Failed && first) return std::nullopt;
        // Any file that starts with 1 KiB of zero bytes reads as an empty tar archive: an empty
        // tar is therefore taken for no archive.
        if (next == ArchiveReader::Next::End && first && reader.IsTar()) return std::nullopt;
        if (next == ArchiveReader::Next::End || next == ArchiveReader::Next::Failed) break;
        if (next == ArchiveReader::Next::Skip) continue;
        archive_entry* entry = reader.Current();
        if (archive_entry_filetype(entry) == AE_IFDIR) continue;
        ArchiveMember member;
        member.name = ArchiveReader::PathOf(entry);
        if (archive_entry_size_is_set(entry)) {
            member.size = archive_entry_size(entry);
        } else {
            // Some archives state a member's size only after its data: count it.
            const auto counted = reader.CountData();
            if (!counted) continue;
            member.size = *counted;
        }
        if (archive_entry_mtime_is_set(entry)) member.mtime = static_cast<std::int64_t>(archive_entry_mtime(entry));
        members.push_back(std::move(member));
    }
    return members;
}

std::optional<std::vector<ArchiveMember>> LibArchiveLister::ListMembers(const std::string& path) {
    const InputFile file(path);
    if (!file.IsOpen()) return std::nullopt;
    return ListArchiveMembers(file);
}

}  // namespace tabulo
