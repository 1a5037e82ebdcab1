#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/UserMessage.h"
#include "engine/ListSettings.h"
#include "engine/OutputDocument.h"
#include "engine/RunServices.h"
#include "engine/RunState.h"
#include "format/Listing.h"
#include "platform/Locale.h"

namespace tabulo {

class CatalogFile;

struct ImportResult {
    bool started = false;  // false when another run or import was in progress
    bool aborted = false;  // AbortRequested ended the import
    bool refused = false;  // a catalog of the old format (sizes in KB) was refused
    std::string error;     // the message of the error that ended the import, or empty
};

// Lists a disk cataloguer's catalog file as if its folders had been scanned: entries are grouped
// by consecutive folder and each group is printed as one folder block with the settings' pattern,
// options, filter and sort order.
class CatalogImport {
  public:
    CatalogImport(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
                  RunObserver& observer, FolderPrinter& printer, MessageCallback messages);

    // Imports the catalog at `path` into the document, emptied first. The closing status texts
    // are written however the import ends (completed, aborted, refused or failed).
    ImportResult ImportVaultixCatalog(const std::string& path);

    // The filter rule of a catalog: an entry passes when a mask is "*.*" or "*" followed by the
    // entry's extension, compared in upper case; no other wildcard matching is done.
    bool PassesFilter(std::string_view name) const;

  private:
    void Begin(const std::string& fileName);
    // Reads the lines after the header; false when the old-format refusal ended the import.
    bool ReadEntries(const CatalogFile& file, std::size_t first, const std::string& path);
    void OpenFolder(std::string_view folder, std::string_view firstPath);
    void CloseFolder();
    void Refuse();
    void End(bool foldersOnly);

    const ListSettings& settings_;
    RunState& state_;
    OutputDocument& document_;
    const Locale& locale_;
    RunObserver& observer_;
    FolderPrinter& printer_;
    MessageCallback messages_;

    bool allPass_ = false;                     // a mask "*.*"
    std::vector<std::string> extensionMasks_;  // what follows "*" in the other masks that begin with it

    // The folder in progress.
    std::string folder_;
    std::string firstPath_;
    std::vector<TFileItem> entries_;
    std::int64_t folderSize_ = 0;
    std::int64_t largestSize_ = 0;
    std::int32_t folderFiles_ = 0;
};

// Imports the catalog at `path` with the formatter and the services given (missing ones as
// ListFolder fills them in); the caller has fixed the pattern.
ImportResult ImportCatalog(const ListSettings& settings, RunState& state, OutputDocument& document,
                           const ListingServices& services, const std::string& path, MessageCallback messages);

// The pattern the menu command imports with: MakePattern's in simple mode, then "%NAME" in place
// of one shorter than 5 characters.
void FixCatalogPattern(ListSettings& settings, bool simpleMode);

// The texts of the old-format refusal.
inline constexpr std::string_view kOldFormatParagraph = "\rUnable to import catalog (old catalog format)";
UserMessage OldFormatMessage();

}  // namespace tabulo
