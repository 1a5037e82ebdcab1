#include "metadata/Iptc.h"

#include <array>
#include <charconv>

#include "engine/EntryOrder.h"
#include "metadata/BinaryView.h"
#include "metadata/TextDecoding.h"
#include "platform/DateTime.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::size_t kJpegHeadBytes = 64100;
constexpr std::size_t kJpegSearchLimit = 64000;
constexpr std::uint16_t kIptcTag = 33723;
constexpr int kMaxDirectories = 32;
constexpr int kMaxEntries = 64;
// The keyword and category lists stop growing at this many bytes: datasets found inside other
// datasets' data could otherwise repeat one block's bytes thousands of times.
constexpr std::size_t kMaxListBytes = kIPTCBufferSize;

enum Dataset : int {
    kObjectName = 5,
    kUrgency = 10,
    kCategory = 15,
    kSupplementalCategory = 20,
    kKeywords = 25,
    kSpecialInstructions = 40,
    kDateCreated = 55,
    kByLine = 80,
    kByLineTitle = 85,
    kCity = 90,
    kState = 95,
    kCountry = 101,
    kTransmissionReference = 103,
    kHeadline = 105,
    kCredit = 110,
    kSource = 115,
    kCopyrightNotice = 116,
    kCaption = 120,
    kCaptionWriter = 122,
    kIgnored = 199,
};

enum class Kind { None, Text, List, Priority, Date, Ignored };

Kind KindOf(int dataset) {
    switch (dataset) {
        case kObjectName:
        case kCategory:
        case kSpecialInstructions:
        case kByLine:
        case kByLineTitle:
        case kCity:
        case kState:
        case kCountry:
        case kTransmissionReference:
        case kHeadline:
        case kCredit:
        case kSource:
        case kCopyrightNotice:
        case kCaption:
        case kCaptionWriter:
            return Kind::Text;
        case kSupplementalCategory:
        case kKeywords:
            return Kind::List;
        case kUrgency:
            return Kind::Priority;
        case kDateCreated:
            return Kind::Date;
        case kIgnored:
            return Kind::Ignored;
        default:
            return Kind::None;
    }
}

std::string& TextProperty(TIPTCData& data, int dataset) {
    switch (dataset) {
        case kObjectName:
            return data.ObjectName;
        case kCategory:
            return data.Category;
        case kSpecialInstructions:
            return data.SpecialInstructions;
        case kByLine:
            return data.ByLine;
        case kByLineTitle:
            return data.ByLineTitle;
        case kCity:
            return data.City;
        case kState:
            return data.State;
        case kCountry:
            return data.Country;
        case kTransmissionReference:
            return data.TransmissionReference;
        case kHeadline:
            return data.Headline;
        case kCredit:
            return data.Credit;
        case kSource:
            return data.Source;
        case kCopyrightNotice:
            return data.CopyrightNotice;
        case kCaption:
            return data.Caption;
        default:
            return data.CaptionWriter;
    }
}

// The bytes of a dataset with an LF put in after every CR that no LF follows.
std::string DatasetBytes(std::string_view data) {
    std::string bytes;
    bytes.reserve(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        bytes.push_back(data[i]);
        if (data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n')) bytes.push_back('\n');
    }
    return bytes;
}

// An integer as a Pascal-style conversion reads it: leading blanks, a sign, decimal digits and
// nothing after them.
std::optional<int> ParseInteger(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A date in the IIM form yyyymmdd; none when it is not a valid date.
std::optional<CivilDate> ParseIimDate(std::string_view text) {
    const std::string_view year = text.substr(0, 4);
    const std::string_view month = text.substr(std::min<std::size_t>(4, text.size()), 2);
    const std::string_view day = text.substr(std::min<std::size_t>(6, text.size()), 2);
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day)) return std::nullopt;
    CivilDate date;
    date.year = *ParseInteger(year);
    date.month = *ParseInteger(month);
    date.day = *ParseInteger(day);
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    return date;
}

}  // namespace

void ParseIPTCDatasets(std::string_view block, TIPTCData& data) {
    auto byteAt = [block](std::size_t i) -> unsigned {
        return i < block.size() ? static_cast<unsigned char>(block[i]) : 0u;
    };
    struct Span {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    // Text properties take the last occurrence of their dataset: only that one is decoded.
    std::array<std::optional<Span>, 256> lastText;
    std::size_t supplementalBytes = 0;
    std::size_t keywordBytes = 0;

    for (std::size_t p = 0; p < block.size(); ++p) {
        if (byteAt(p) != 0x1C || byteAt(p + 1) != 2) continue;
        const int dataset = static_cast<int>(byteAt(p + 2));
        const Kind kind = KindOf(dataset);
        if (kind == Kind::None) continue;
        // The data runs only as far as the block reaches. The scan goes on at p + 1, so bytes
        // inside this data that look like a dataset are read as one too.
        const std::size_t start = std::min(p + 5, block.size());
        const std::size_t length = std::min<std::size_t>(byteAt(p + 3) * 256 + byteAt(p + 4), block.size() - start);
        const std::string_view bytes = block.substr(start, length);
        switch (kind) {
            case Kind::Text:
                lastText[static_cast<std::size_t>(dataset)] = Span{start, length};
                break;
            case Kind::List: {
                const bool keywords = dataset == kKeywords;
                std::size_t& used = keywords ? keywordBytes : supplementalBytes;
                if (used >= kMaxListBytes) break;
                used += length;
                (keywords ? data.Keywords : data.SupplementalCategorys).push_back(text::ShownText(DatasetBytes(bytes)));
                break;
            }
            case Kind::Priority:
                // A number is never long; longer data is no number and leaves Priority as it is.
                if (length <= 32) {
                    if (const auto value = ParseInteger(DatasetBytes(bytes))) data.Priority = *value;
                }
                break;
            case Kind::Date:
                if (const auto date = ParseIimDate(DatasetBytes(bytes.substr(0, 8)))) data.DateCreated = *date;
                break;
            default:
                break;
        }
    }
    for (std::size_t dataset = 0; dataset < lastText.size(); ++dataset) {
        if (!lastText[dataset]) continue;
        const std::string bytes = DatasetBytes(block.substr(lastText[dataset]->start, lastText[dataset]->length));
        std::string_view value = bytes;
        if (dataset == kCaption) value = text::TrimRight(value);
        TextProperty(data, static_cast<int>(dataset)) = text::ShownText(value);
    }
}

std::optional<TiffIptcEntry> ReadTiffDirectory(const ByteSource& file) {
    const std::string header = file.Read(0, 8);
    const BinaryView head(header);
    if (head.Size() < 8) return std::nullopt;
    const bool bigEndian = header.compare(0, 2, "II") != 0;
    std::uint32_t offset = *head.U32(4, bigEndian);
    std::optional<TiffIptcEntry> found;
    for (int directory = 1; offset > 0; ++directory) {
        if (directory > kMaxDirectories) return std::nullopt;
        const std::string countBytes = file.Read(offset, 2);
        const auto count = BinaryView(countBytes).U16(0, bigEndian);
        if (!count || *count > kMaxEntries) return std::nullopt;
        const std::string entries = file.Read(std::int64_t{offset} + 2, std::size_t{*count} * 12 + 4);
        const BinaryView view(entries);
        if (view.Size() != std::size_t{*count} * 12 + 4) return std::nullopt;
        for (int e = 0; e < *count; ++e) {
            const std::size_t at = static_cast<std::size_t>(e) * 12;
            if (*view.U16(at, bigEndian) != kIptcTag) continue;
            found = TiffIptcEntry{directory, e, *view.U32(at + 4, bigEndian), *view.U32(at + 8, bigEndian)};
        }
        offset = *view.U32(std::size_t{*count} * 12, bigEndian);
    }
    return found;
}

std::optional<std::string> FindJpegIPTCBlock(std::string_view head, std::uint8_t marker) {
    const BinaryView view(head);
    const std::size_t limit = std::min(head.size(), kJpegSearchLimit);
    // The search starts right after the start-of-image marker FF D8, so an APP13 segment that
    // directly follows it is found too.
    for (std::size_t f = 2; f < limit;) {
        if (static_cast<unsigned char>(head[f]) != 0xFF) {
            ++f;
            continue;
        }
        if (view.U8(f + 1) == marker && view.Slice(f + 4, 5) == std::string_view("Photo")) {
            const std::size_t length = *view.U16Be(f + 2);
            const std::size_t wanted = length >= 2 ? length - 2 : 0;
            const std::size_t copied = std::min(wanted, limit - (f + 4));
            if (copied > kIPTCBufferSize) return std::nullopt;
            return std::string(head.substr(f + 4, copied));
        }
        f += 2;  // past the marker byte
    }
    return std::nullopt;
}

std::optional<std::string> FindIPTCBlock(const ByteSource& file, std::string_view upperExtension, std::uint8_t marker) {
    if (upperExtension == ".JPG") return FindJpegIPTCBlock(file.Head(kJpegHeadBytes), marker);
    if (upperExtension == ".TIF") {
        const auto entry = ReadTiffDirectory(file);
        if (!entry) return std::nullopt;
        // The entry's count is taken as a count of 4-byte values; a block larger than the buffer
        // is cut to the buffer's size.
        const std::uint64_t wanted = std::uint64_t{entry->count} * 4;
        return file.Read(entry->offset, static_cast<std::size_t>(std::min<std::uint64_t>(wanted, kIPTCBufferSize)));
    }
    return std::nullopt;
}

bool ReadIPTC(const ByteSource& file, std::string_view upperExtension, TIPTCData& data) {
    data.Clear();
    const auto block = FindIPTCBlock(file, upperExtension, kApp13Marker);
    if (!block || block->empty()) return false;
    ParseIPTCDatasets(*block, data);
    if (data.Priority < 1) data.Priority = 9;
    return true;
}

bool TIPTC::ReadIPTC() {
    if (IPTCData == nullptr) return false;
    IPTCData->Clear();
    const InputFile file(Filename);
    if (!file.IsOpen()) return false;
    const std::string name = Filename.substr(Filename.find_last_of('/') + 1);
    return tabulo::ReadIPTC(file, utf8::ToUpper(ExtensionOf(name)), *IPTCData);
}

}  // namespace tabulo
