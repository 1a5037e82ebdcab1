#include "metadata/ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdio>

namespace tabulo {

namespace {

constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

using FilterSupport = int (*)(archive*);

// The decompression filters built into libarchive on this system. A filter that libarchive would
// run through an external program (it answers ARCHIVE_WARN when asked for it) is left out.
const std::vector<FilterSupport>& BuiltInFilters() {
    static const std::vector<FilterSupport> filters = [] {
        std::vector<FilterSupport> usable;
        for (FilterSupport f :
             {archive_read_support_filter_gzip, archive_read_support_filter_bzip2, archive_read_support_filter_xz,
              archive_read_support_filter_lzma, archive_read_support_filter_lzip, archive_read_support_filter_zstd,
              archive_read_support_filter_lz4, archive_read_support_filter_compress}) {
            archive* probe = archive_read_new();
            if (f(probe) == ARCHIVE_OK) usable.push_back(f);
            archive_read_free(probe);
        }
        return usable;
    }();
    return filters;
}

// A locale whose character set is UTF-8; none where the system has no such locale.
locale_t Utf8Locale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

void EnableArchiveFormats(archive* a) {
    archive_read_support_format_7zip(a);
    archive_read_support_format_ar(a);
    archive_read_support_format_cab(a);
    archive_read_support_format_cpio(a);
    archive_read_support_format_iso9660(a);
    archive_read_support_format_lha(a);
    archive_read_support_format_rar(a);
    archive_read_support_format_rar5(a);
    archive_read_support_format_tar(a);
    archive_read_support_format_warc(a);
    archive_read_support_format_xar(a);
    archive_read_support_format_zip(a);
    for (FilterSupport f : BuiltInFilters())
        f(a);
}

}  // namespace

ArchiveReader::ArchiveReader(const ByteSource& source, Formats formats) : source_(source), buffer_(kBlockSize) {
    if (const locale_t utf8 = Utf8Locale()) previousLocale_ = uselocale(utf8);
    archive_ = archive_read_new();
    if (archive_ == nullptr) return;
    if (formats == Formats::ZipOnly)
        archive_read_support_format_zip(archive_);
    else
        EnableArchiveFormats(archive_);
    archive_read_set_read_callback(archive_, &ArchiveReader::Read);
    archive_read_set_seek_callback(archive_, &ArchiveReader::Seek);
    archive_read_set_skip_callback(archive_, &ArchiveReader::Skip);
    archive_read_set_callback_data(archive_, this);
    open_ = archive_read_open1(archive_) == ARCHIVE_OK;
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr) archive_read_free(archive_);
    if (previousLocale_ != nullptr) uselocale(previousLocale_);
}

long ArchiveReader::Read(archive*, void* self, const void** buffer) {
    auto* reader = static_cast<ArchiveReader*>(self);
    const std::size_t got = reader->source_.ReadAt(reader->position_, reader->buffer_.data(), reader->buffer_.size());
    reader->position_ += static_cast<std::int64_t>(got);
    *buffer = reader->buffer_.data();
    return static_cast<long>(got);
}

std::int64_t ArchiveReader::Seek(archive*, void* self, std::int64_t offset, int whence) {
    auto* reader = static_cast<ArchiveReader*>(self);
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = reader->position_;
    else if (whence == SEEK_END)
        base = reader->source_.Size();
    else if (whence != SEEK_SET)
        return ARCHIVE_FATAL;
    const std::int64_t target = base + offset;
    if (target < 0) return ARCHIVE_FATAL;
    reader->position_ = target;
    return target;
}

std::int64_t ArchiveReader::Skip(archive*, void* self, std::int64_t request) {
    auto* reader = static_cast<ArchiveReader*>(self);
    const std::int64_t left = reader->source_.Size() - reader->position_;
    const std::int64_t skipped = request < 0 ? 0 : std::min(request, left < 0 ? 0 : left);
    reader->position_ += skipped;
    return skipped;
}

ArchiveReader::Next ArchiveReader::NextEntry() {
    if (!open_) return Next::Failed;
    const int result = archive_read_next_header(archive_, &entry_);
    if (result == ARCHIVE_OK || result == ARCHIVE_WARN) return Next::Entry;
    entry_ = nullptr;
    if (result == ARCHIVE_RETRY) return Next::Skip;
    if (result == ARCHIVE_EOF) return Next::End;
    return Next::Failed;
}

std::optional<std::string> ArchiveReader::ReadData(std::size_t limit) {
    std::string data;
    char chunk[16 * 1024];
    while (data.size() < limit) {
        const la_ssize_t got = archive_read_data(archive_, chunk, std::min(sizeof chunk, limit - data.size()));
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        data.append(chunk, static_cast<std::size_t>(got));
    }
    return data;
}

std::optional<std::int64_t> ArchiveReader::CountData() {
    const void* block = nullptr;
    std::size_t size = 0;
    la_int64_t offset = 0;
    std::int64_t end = 0;
    for (;;) {
        const int result = archive_read_data_block(archive_, &block, &size, &offset);
        if (result == ARCHIVE_EOF) return end;
        if (result < ARCHIVE_WARN) return std::nullopt;
        end = std::max<std::int64_t>(end, offset + static_cast<std::int64_t>(size));
    }
}

bool ArchiveReader::IsTar() const {
    return archive_ != nullptr && (archive_format(archive_) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_TAR;
}

std::string ArchiveReader::PathOf(archive_entry* entry) {
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) return utf8;
    if (const char* bytes = archive_entry_pathname(entry)) return bytes;
    return {};
}

}  // namespace tabulo
