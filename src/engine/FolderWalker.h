#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FilterMasks.h"
#include "engine/ListSettings.h"
#include "engine/OutputDocument.h"
#include "engine/RunServices.h"
#include "engine/RunState.h"
#include "platform/Locale.h"

namespace tabulo {

// The walk over the folders of one run: scans folders into entry lists, hands each to the
// printer, and collects folder names for the folders-only layout.
class FolderWalker {
  public:
    FolderWalker(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
                 RunObserver& observer, FolderPrinter& printer, AutoCommentsSource& autoComments,
                 ArchiveLister& archives);

    // Scans one folder and prints it.
    void SearchCurrentDirectory(const std::string& dir);
    // Visits a folder and its subfolders down to the chosen depth.
    void SearchRecursive(const std::string& dir);
    // Appends the full paths of dir's subfolders to list, then sorts the list (locale order,
    // ignoring case). Links to folders are not subfolders: they are never walked into.
    void FindSubDirectory(std::vector<std::string>& list, const std::string& dir);
    // Prints SubfolderList (the folders-only layout).
    void SearchOnlyDirectory();

    bool FolderAllowed(const std::string& dir) const;
    bool FileAllowed(std::string_view name) const;

    // Date and time texts of a last-write time, as the settings ask for them.
    std::string GetDate(std::int64_t time) const;
    std::string GetTime(std::int64_t time) const;
    // Date and time, the time left out at midnight, followed by one blank.
    std::string DateTimeText(std::int64_t time) const;

    // Folder path without its final "/" (the root keeps it), relative to StartDir when
    // `relative` is set: the start folder itself gives an empty text.
    std::string FolderName(const std::string& dir, bool relative) const;

  private:
    void ReadMembers(TFileItem& entry, const std::string& path);
    void SortFolderList(std::vector<std::string>& list) const;

    const ListSettings& settings_;
    RunState& state_;
    OutputDocument& document_;
    const Locale& locale_;
    RunObserver& observer_;
    FolderPrinter& printer_;
    AutoCommentsSource& autoComments_;
    ArchiveLister& archives_;
    std::vector<FileMask> masks_;

    // The subfolders seen by the last folder scan, so the walk reads each folder once.
    std::string scannedDir_;
    std::vector<std::string> scannedSubfolders_;
};

// Prints state.SubfolderList, sorted in locale order ignoring case, as one paragraph per folder
// after an empty paragraph and followed by one (the folders-only layout).
void SearchOnlyDirectory(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale);

// `dir` with a final "/".
std::string WithSeparator(const std::string& dir);
// `dir` without its final "/"; the root "/" keeps it.
std::string WithoutSeparator(const std::string& dir);

}  // namespace tabulo
