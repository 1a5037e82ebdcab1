#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tabulo {

// Bounds-checked little- and big-endian reads from a block of bytes: a read that would reach
// past the end gives nothing.
class BinaryView {
  public:
    BinaryView() = default;
    explicit BinaryView(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::string_view Bytes() const { return bytes_; }
    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    // The bytes [offset, offset + length), or nothing when they are not all there.
    std::optional<std::string_view> Slice(std::size_t offset, std::size_t length) const {
        if (!Has(offset, length)) return std::nullopt;
        return bytes_.substr(offset, length);
    }
    std::optional<std::uint8_t> U8(std::size_t offset) const {
        if (!Has(offset, 1)) return std::nullopt;
        return Byte(offset);
    }
    std::optional<std::uint16_t> U16Le(std::size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
    }
    std::optional<std::uint16_t> U16Be(std::size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>((Byte(offset) << 8) | Byte(offset + 1));
    }
    std::optional<std::uint32_t> U32Le(std::size_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(Byte(offset)) | (static_cast<std::uint32_t>(Byte(offset + 1)) << 8) |
               (static_cast<std::uint32_t>(Byte(offset + 2)) << 16) |
               (static_cast<std::uint32_t>(Byte(offset + 3)) << 24);
    }
    std::optional<std::uint32_t> U32Be(std::size_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return (static_cast<std::uint32_t>(Byte(offset)) << 24) | (static_cast<std::uint32_t>(Byte(offset + 1)) << 16) |
               (static_cast<std::uint32_t>(Byte(offset + 2)) << 8) | static_cast<std::uint32_t>(Byte(offset + 3));
    }
    std::optional<std::uint16_t> U16(std::size_t offset, bool bigEndian) const {
        return bigEndian ? U16Be(offset) : U16Le(offset);
    }
    std::optional<std::uint32_t> U32(std::size_t offset, bool bigEndian) const {
        return bigEndian ? U32Be(offset) : U32Le(offset);
    }

  private:
    std::uint32_t Byte(std::size_t offset) const { return static_cast<unsigned char>(bytes_[offset]); }
    std::string_view bytes_;
};

}  // namespace tabulo
