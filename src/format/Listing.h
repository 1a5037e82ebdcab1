#pragma once

#include "engine/ListingRun.h"
#include "engine/RunServices.h"
#include "platform/ShortNames.h"
#include "platform/VolumeFacts.h"

namespace tabulo {

// What a listing run reads from the world besides its settings. Missing services fall back to
// the real ones (Linux volume facts and short names) or to none (no metadata, no archives, a
// silent observer).
struct ListingServices {
    const Locale* locale = nullptr;
    VolumeFacts* volumes = nullptr;
    ShortNameSource* shortNames = nullptr;
    AutoCommentsSource* autoComments = nullptr;
    ArchiveLister* archives = nullptr;
    RunObserver* observer = nullptr;
    int currentYear = 0;  // 0: the year of the clock
};

// Lists state.StartDir into `document` with the settings as they are (the caller has fixed the
// pattern, see ListingRun::FixPattern).
RunResult ListFolder(const ListSettings& settings, RunState& state, OutputDocument& document,
                     const ListingServices& services);

// The current year of the local clock.
int CurrentYear();

}  // namespace tabulo
