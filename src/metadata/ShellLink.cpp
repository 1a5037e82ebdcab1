#include "metadata/ShellLink.h"

#include <algorithm>
#include <optional>

#include "metadata/BinaryView.h"
#include "metadata/ByteSource.h"
#include "metadata/TextDecoding.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::string_view kShellLinkClsid{"\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16};

enum LinkFlags : std::uint32_t {
    kHasLinkTargetIdList = 0x1,
    kHasLinkInfo = 0x2,
    kHasName = 0x4,
    kHasRelativePath = 0x8,
    kIsUnicode = 0x80,
    kForceNoLinkInfo = 0x100,
};
enum LinkInfoFlags : std::uint32_t {
    kVolumeIdAndLocalBasePath = 0x1,
    kCommonNetworkRelativeLinkAndPathSuffix = 0x2,
};

// Shell links hold a few kilobytes at most; a larger file is read this far.
constexpr std::size_t kMaxLinkBytes = std::size_t{1024} * 1024;
constexpr std::size_t kMaxPathChars = 260;

// A NUL-terminated string of 8-bit characters at offset within block (to the block's end when
// no NUL follows).
std::optional<std::string> AnsiStringAt(const BinaryView& block, std::size_t offset) {
    if (offset >= block.Size()) return std::nullopt;
    const std::string_view rest = block.Bytes().substr(offset);
    return text::ShownText(rest.substr(0, rest.find('\0')));
}

// A NUL-terminated UTF-16 string at offset within block.
std::optional<std::string> UnicodeStringAt(const BinaryView& block, std::size_t offset) {
    if (offset >= block.Size()) return std::nullopt;
    const std::string_view rest = block.Bytes().substr(offset);
    std::size_t end = 0;
    while (end + 1 < rest.size() && (rest[end] != '\0' || rest[end + 1] != '\0'))
        end += 2;
    return text::ShownText(utf8::FromUtf16Le(rest.substr(0, end)));
}

std::string JoinPath(const std::string& base, const std::string& suffix) {
    if (suffix.empty()) return base;
    if (!base.empty() && base.back() == '\\') return base + suffix;
    return base + '\\' + suffix;
}

// The common path suffix of a LinkInfo block.
std::string PathSuffix(const BinaryView& info, std::uint32_t headerSize) {
    std::optional<std::string> suffix;
    if (headerSize >= 0x24) {
        if (const auto off = info.U32Le(32); off && *off != 0) suffix = UnicodeStringAt(info, *off);
    }
    if (!suffix) {
        if (const auto off = info.U32Le(24)) suffix = AnsiStringAt(info, *off);
    }
    return suffix.value_or(std::string());
}

// The target named by a LinkInfo block: local base path, else network share, each with the
// common path suffix.
std::string LinkInfoTarget(const BinaryView& info) {
    const auto headerSize = info.U32Le(4);
    const auto flags = info.U32Le(8);
    if (!headerSize || !flags) return {};
    if (*flags & kVolumeIdAndLocalBasePath) {
        std::optional<std::string> base;
        if (*headerSize >= 0x24) {
            if (const auto off = info.U32Le(28); off && *off != 0) base = UnicodeStringAt(info, *off);
        }
        if (!base) {
            if (const auto off = info.U32Le(16)) base = AnsiStringAt(info, *off);
        }
        if (base && !base->empty()) return JoinPath(*base, PathSuffix(info, *headerSize));
    }
    if (*flags & kCommonNetworkRelativeLinkAndPathSuffix) {
        const auto linkOffset = info.U32Le(20);
        if (!linkOffset || *linkOffset >= info.Size()) return {};
        const auto linkSize = info.U32Le(*linkOffset);
        if (!linkSize) return {};
        const BinaryView link(
            info.Bytes().substr(*linkOffset, std::min<std::size_t>(*linkSize, info.Size() - *linkOffset)));
        std::optional<std::string> share;
        const auto netNameOffset = link.U32Le(8);
        if (netNameOffset && *netNameOffset > 0x14) {
            if (const auto off = link.U32Le(20)) share = UnicodeStringAt(link, *off);
        }
        if (!share && netNameOffset) share = AnsiStringAt(link, *netNameOffset);
        if (share && !share->empty()) return JoinPath(*share, PathSuffix(info, *headerSize));
    }
    return {};
}

std::string FirstPathChars(const std::string& path) {
    return std::string(utf8::FirstChars(path, kMaxPathChars));
}

}  // namespace

std::string ShellLinkTarget(std::string_view bytes) {
    const BinaryView link(bytes);
    if (link.U32Le(0) != kHeaderSize || link.Slice(4, 16) != kShellLinkClsid) return {};
    const auto flags = link.U32Le(20);
    if (!flags) return {};
    std::size_t pos = kHeaderSize;
    if (*flags & kHasLinkTargetIdList) {
        const auto idListSize = link.U16Le(pos);
        if (!idListSize) return {};
        pos += 2 + *idListSize;
    }
    if (*flags & kHasLinkInfo) {
        const auto infoSize = link.U32Le(pos);
        if (!infoSize || *infoSize < 4 || !link.Has(pos, *infoSize)) return {};
        if (!(*flags & kForceNoLinkInfo)) {
            const std::string target = LinkInfoTarget(BinaryView(bytes.substr(pos, *infoSize)));
            if (!target.empty()) return FirstPathChars(target);
        }
        pos += *infoSize;
    }
    // The string data: the name comes before the relative path, each a 16-bit character count
    // and the characters.
    const std::size_t charSize = (*flags & kIsUnicode) ? 2 : 1;
    if (*flags & kHasName) {
        const auto count = link.U16Le(pos);
        if (!count) return {};
        pos += 2 + std::size_t{*count} * charSize;
    }
    if (*flags & kHasRelativePath) {
        const auto count = link.U16Le(pos);
        if (!count) return {};
        const auto chars = link.Slice(pos + 2, std::size_t{*count} * charSize);
        if (!chars) return {};
        const std::string path = charSize == 2 ? text::ShownText(utf8::FromUtf16Le(*chars)) : text::ShownText(*chars);
        return FirstPathChars(path);
    }
    return {};
}

std::string ShortcutComment(const std::string& path) {
    InputFile file(path);
    if (!file.IsOpen()) return {};
    return ShellLinkTarget(file.Head(kMaxLinkBytes));
}

}  // namespace tabulo
