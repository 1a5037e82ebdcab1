#include "metadata/AutoComments.h"

#include "engine/EntryOrder.h"
#include "metadata/HtmlTitle.h"
#include "metadata/ID3Tag.h"
#include "metadata/IniFile.h"
#include "metadata/Iptc.h"
#include "metadata/ShellLink.h"
#include "metadata/VersionInfo.h"
#include "metadata/ZipText.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr std::size_t kLongestWholeCaption = 256;

bool OneOf(const std::string& extension, std::initializer_list<std::string_view> set) {
    for (std::string_view e : set) {
        if (extension == e) return true;
    }
    return false;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += to.size())
        s.replace(p, from.size(), to);
}

}  // namespace

std::string ShapeCaption(std::string caption, int mode, int maxLength) {
    if (mode == 0) {
        ReplaceAll(caption, "\n\r", " ");
        ReplaceAll(caption, "\r", " ");
        ReplaceAll(caption, "\n", " ");
    } else if (mode == 2 && maxLength >= 0 && utf8::CharCount(caption) > static_cast<std::size_t>(maxLength)) {
        caption = utf8::FirstChars(caption, static_cast<std::size_t>(maxLength));
    }
    return caption;
}

std::string ImageCaptionComment(const std::string& path, const ListSettings& settings, TIPTCData& iptc) {
    TIPTC reader;
    reader.Filename = path;
    reader.IPTCData = &iptc;
    reader.ReadIPTC();
    std::string caption = iptc.Caption;
    if (utf8::CharCount(caption) > kLongestWholeCaption) caption = utf8::FirstChars(caption, kLongestWholeCaption - 1);
    iptc.Caption = ShapeCaption(caption, settings.LongCaption, settings.MaxCaptionLength);
    return caption;
}

void FileAutoComments::BeginRun() {
    table_.Clear();
    tableFolder_.clear();
}

void FileAutoComments::EndRun() {
    BeginRun();
}

void FileAutoComments::CheckDesctriptIonFile(const std::string& folder) {
    tableFolder_ = folder;
    if (tableFolder_.empty() || tableFolder_.back() != '/') tableFolder_ += '/';
    table_.Load(tableFolder_);
}

std::string FileAutoComments::AutoComments(const std::string& path, const ListSettings& settings,
                                           MetadataRecords& records) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    const std::string_view folder = std::string_view(path).substr(0, path.size() - name.size());
    const std::string extension = utf8::ToUpper(ExtensionOf(name));

    std::string comment;
    // The table belongs to the folder it was read for; files of other folders get nothing from it.
    if (table_.Present() && folder == tableFolder_) comment = table_.Lookup(name).value_or(std::string());

    if (settings.cbEXE && comment.empty() && OneOf(extension, {".EXE", ".DLL"})) {
        comment = ReadVersionInfo(path, records.version);
    }
    if (settings.cbZip && comment.empty() && extension == ".ZIP") comment = ZipTextComment(path);
    if (settings.cbHTML && comment.empty() &&
        OneOf(extension, {".HTM", ".HTML", ".DHTML", ".SHTML", ".ASP", ".ASPX"})) {
        comment = HtmlTitleComment(path);
    }
    if (settings.cbImage && comment.empty() && OneOf(extension, {".JPG", ".TIF", ".PSD"})) {
        comment = ImageCaptionComment(path, settings, records.iptc);
    }
    if (settings.cbMPEG && comment.empty() && OneOf(extension, {".MP3", ".MP2", ".MPG"})) {
        comment = MP3Comment(path, records.id3);
    }
    if (settings.cbURL && comment.empty() && extension == ".URL") comment = UrlComment(path);
    if (settings.cbLNK && comment.empty() && extension == ".LNK") comment = ShortcutComment(path);
    return comment;
}

}  // namespace tabulo
