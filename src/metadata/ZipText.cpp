#include "metadata/ZipText.h"

#include <archive.h>
#include <archive_entry.h>

#include <array>
#include <optional>

#include "metadata/ArchiveReader.h"
#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::size_t kMaxMemberBytes = std::size_t{64} * 1024;
constexpr std::size_t kMaxCommentChars = 500;
constexpr std::array<std::string_view, 3> kTextMembers{"FILE_ID.DIZ", "README.TXT", "WHATSNEW.TXT"};

std::string WithoutChars(std::string_view line, std::string_view remove) {
    std::string kept;
    for (char c : line) {
        if (remove.find(c) == std::string_view::npos) kept.push_back(c);
    }
    return kept;
}

// One of the three text members as found in the archive: one at the archive's top wins over
// one inside a folder; among those in folders the first counts.
struct Candidate {
    bool found = false;
    bool topLevel = false;
    std::optional<std::string> text;  // none when its data was damaged
};

}  // namespace

std::string ZipMemberComment(std::string_view text) {
    const std::vector<std::string_view> lines = text::SplitLines(text);
    if (lines.empty()) return {};
    std::string line = WithoutChars(lines[0], "+-=_\\{}*<>");
    for (std::size_t next = 1; line.empty(); ++next) {
        if (next >= 3 || next >= lines.size()) return {};
        line = WithoutChars(lines[next], "+-=/\\{}*<>");
    }
    const std::string shown = text::ShownText(text::Trim(line));
    std::string comment(utf8::FirstChars(shown, kMaxCommentChars));
    if (utf8::CharCount(comment) < 3) return {};
    return comment;
}

std::string ZipTextComment(const ByteSource& source) {
    ArchiveReader reader(source, ArchiveReader::Formats::ZipOnly);
    std::array<Candidate, kTextMembers.size()> candidates;
    for (;;) {
        const ArchiveReader::Next next = reader.NextEntry();
        if (next == ArchiveReader::Next::End || next == ArchiveReader::Next::Failed) break;
        if (next == ArchiveReader::Next::Skip) continue;
        archive_entry* entry = reader.Current();
        if (archive_entry_filetype(entry) == AE_IFDIR) continue;
        const std::string path = ArchiveReader::PathOf(entry);
        const std::size_t slash = path.find_last_of("/\\");
        const std::string name = text::AsciiUpper(slash == std::string::npos ? path : path.substr(slash + 1));
        const bool topLevel = slash == std::string::npos;
        for (std::size_t i = 0; i < kTextMembers.size(); ++i) {
            Candidate& c = candidates[i];
            if (name != kTextMembers[i] || (c.found && (c.topLevel || !topLevel))) continue;
            c.found = true;
            c.topLevel = topLevel;
            c.text = reader.ReadData(kMaxMemberBytes);
        }
        if (candidates[0].found && candidates[0].topLevel) break;  // nothing can beat it
    }
    for (const Candidate& c : candidates) {
        if (c.found) return c.text ? ZipMemberComment(*c.text) : std::string();
    }
    return {};
}

std::string ZipTextComment(const std::string& path) {
    const InputFile file(path);
    if (!file.IsOpen()) return {};
    return ZipTextComment(static_cast<const ByteSource&>(file));
}

}  // namespace tabulo
