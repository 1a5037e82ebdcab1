#pragma once

#include <string>

#include "engine/ListSettings.h"
#include "engine/OutputDocument.h"
#include "engine/RunServices.h"
#include "engine/RunState.h"
#include "platform/Locale.h"
#include "platform/VolumeFacts.h"

namespace tabulo {

struct RunResult {
    bool started = false;  // false when StartDir was empty or another run was in progress
    bool aborted = false;  // AbortRequested ended the walk
    std::string error;     // the message of the error that ended the walk, or empty
};

// One listing run from the start folder to the finished list: header lines, the walk in one of
// four modes, the total summary and the closing lines, which are written also after an abort or
// an error.
class ListingRun {
  public:
    ListingRun(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
               VolumeFacts& volumes, RunObserver& observer, FolderPrinter& printer, AutoCommentsSource& autoComments,
               ArchiveLister& archives);

    // Lists state.StartDir. Only one run at a time may use a RunState: a second call while one
    // runs does nothing.
    RunResult Execute();

    // The pattern a run uses: one shorter than 5 characters becomes "%NAME".
    static void FixPattern(ListSettings& settings);
    // Font of text styles 0 to 5: the chosen one with UseDefaultFont, else Courier New 10, black.
    static void ApplyListingFont(const ListSettings& settings, OutputDocument& document);

    // The free-space text of the total summary for a count of free bytes.
    static std::string FreeSpaceText(std::int64_t freeBytes, const std::string& thousandsSeparator);

  private:
    void WriteHead();
    void Walk();
    void WriteTotalSummary();

    const ListSettings& settings_;
    RunState& state_;
    OutputDocument& document_;
    const Locale& locale_;
    VolumeFacts& volumes_;
    RunObserver& observer_;
    FolderPrinter& printer_;
    AutoCommentsSource& autoComments_;
    ArchiveLister& archives_;
};

// The text of the status window's version label.
inline constexpr const char* kVersionLabel = "Tabulo Pro 3.3";

}  // namespace tabulo
