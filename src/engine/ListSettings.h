#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/OptionFlags.h"

namespace tabulo {

enum class SortCriterion { None, Name, Size, Date, Extension };

// Every value a listing run reads, named after its stored setting, with the defaults of a fresh
// installation (simple mode).
struct ListSettings {
    // Main window.
    std::string ActivePattern = "%NAME %SIZE %DATE";
    bool IncludeDate = true;
    bool IncludeTime = false;
    bool IncludeSize = true;
    bool IncludeAttr = false;
    SortCriterion SortCriteria = SortCriterion::Name;
    bool Descending = false;
    int MaxLength = 30;  // 8..255
    bool Exclusions = false;
    std::string Filter = "*.*";
    bool IncludeFolders = false;
    bool RecurseAll = false;
    int Levels = 2;       // 0..1000
    int LeftMargin = 15;  // 0..100
    bool UseDefaultFont = false;
    std::string FontName = "Courier New";
    int FontSize = 9;             // 8, 9, 10, 11, 12, 14, 16, 18 or 20
    std::uint32_t FontColor = 0;  // 0x00BBGGRR; black
    bool AdvancedMode = false;

    // Taken from the Advanced window in advanced mode; the format fields reset in simple mode.
    bool FixedColumns = true;
    bool UseAutoComments = false;
    bool rbNormal = true;
    bool rbHTML = false;
    bool rbSDV = false;
    bool UseFileTimes = false;
    bool IncludeAllFiles = false;
    bool cbEXE = false;
    bool cbZip = true;
    bool cbHTML = true;
    bool cbImage = false;
    bool cbMPEG = true;
    bool cbURL = false;
    bool cbLNK = false;
    // The text qualifier of a delimited list ("" for none): inside a value it is written twice, so a
    // name holding it cannot end its field early.
    std::string TextQualifier;
    int LongCaption = 2;        // 0 remove line breaks, 1 include all, 2 cut to MaxCaptionLength
    int MaxCaptionLength = 30;  // 8..255

    // Read from the Advanced window's controls in both modes.
    int NumDigits = 2;          // 1..9
    int MaxLengthComment = 30;  // 8..255
    bool cbDescript = false;
    bool FormatSDV = false;

    // From the Options window.
    OptionFlags ListOptions;
    OptionFlags ArchiveOptions = SetArchiveOptions(OptionFlags{});

    // Exclusions.
    std::vector<std::string> ExcludedExtensions;  // each begins with "."
    std::vector<std::string> ExcludedFileNames;
    std::vector<std::string> ExcludedFolders;
    bool ExcludeAllSubfolders = true;
};

}  // namespace tabulo
