#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileItem.h"
#include "engine/MetadataRecords.h"
#include "engine/OptionFlags.h"

namespace tabulo {

struct ListSettings;
struct RunState;

// Finds the description of a file (its AutoComment) and fills the metadata records as it reads
// the file.
class AutoCommentsSource {
  public:
    virtual ~AutoCommentsSource() = default;
    // A run starts or ends: the per-run descript.ion table is created or released.
    virtual void BeginRun() {}
    virtual void EndRun() {}
    // Reads the descript.ion file of a folder (a path ending in "/") into the table.
    virtual void CheckDesctriptIonFile(const std::string& folder) = 0;
    // The comment of the file at `path`; fills `records` for the metadata tokens.
    virtual std::string AutoComments(const std::string& path, const ListSettings& settings,
                                     MetadataRecords& records) = 0;
};

// Reads no metadata: every comment is empty.
class NoAutoComments : public AutoCommentsSource {
  public:
    void CheckDesctriptIonFile(const std::string&) override {}
    std::string AutoComments(const std::string&, const ListSettings&, MetadataRecords&) override { return {}; }
};

struct ArchiveMember {
    std::string name;                   // path inside the archive
    std::int64_t size = 0;              // uncompressed bytes
    std::optional<std::int64_t> mtime;  // seconds since 1970, when the archive keeps one
};

// Lists the file members of archives.
class ArchiveLister {
  public:
    virtual ~ArchiveLister() = default;
    // The file members of the archive at `path` (folder entries left out, members of the
    // archive's folders included), in the archive's order; none when the file is not an archive
    // of a kind that can be listed. A damaged member is left out.
    virtual std::optional<std::vector<ArchiveMember>> ListMembers(const std::string& path) = 0;
};

// Recognises no archive.
class NoArchives : public ArchiveLister {
  public:
    std::optional<std::vector<ArchiveMember>> ListMembers(const std::string&) override { return std::nullopt; }
};

// What a run reports while it works: the status texts of the status bar and the status window.
// The run never waits for an answer.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // Panel 0 ("Press ESC to abort", "Ready", ...) or panel 1 ("Scanning ...", "12 files found").
    virtual void SetStatusPanel(int /*panel*/, std::string_view /*text*/) {}
    // The folder the status window shows.
    virtual void SetDirLabel(std::string_view /*path*/) {}
    virtual void SetCaption(std::string_view /*caption*/) {}
    virtual void ShowStatusWindow(std::string_view /*versionLabel*/) {}
    virtual void CloseStatusWindow() {}
    virtual void SetBusyCursor(bool /*busy*/) {}
    // Called after every file and when each folder starts: the place where a front end lets its
    // events through and may set AbortRequested.
    virtual void ProcessMessages(RunState& /*state*/) {}
    // An HTML list is complete; a window front end offers to open it in the browser.
    virtual void HtmlListFinished() {}
};

// Prints one folder's block: the formatter's side of the walk.
class FolderPrinter {
  public:
    virtual ~FolderPrinter() = default;
    virtual void PrintList(std::vector<TFileItem>& entries, const std::string& dir, const OptionFlags& options,
                           bool fromCatalog, std::int64_t folderSize, std::int64_t largestSize,
                           std::int32_t folderFiles) = 0;
};

}  // namespace tabulo
