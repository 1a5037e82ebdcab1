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

// The services of one run, with the fallbacks standing in for those not given.
class ResolvedServices {
  public:
    explicit ResolvedServices(const ListingServices& given) : given_(given) {}
    ResolvedServices(const ResolvedServices&) = delete;
    ResolvedServices& operator=(const ResolvedServices&) = delete;

    const tabulo::Locale& Locale() const { return given_.locale ? *given_.locale : locale_; }
    VolumeFacts& Volumes() { return given_.volumes ? *given_.volumes : volumes_; }
    ShortNameSource& ShortNames() { return given_.shortNames ? *given_.shortNames : shortNames_; }
    AutoCommentsSource& AutoComments() { return given_.autoComments ? *given_.autoComments : comments_; }
    ArchiveLister& Archives() { return given_.archives ? *given_.archives : archives_; }
    RunObserver& Observer() { return given_.observer ? *given_.observer : silent_; }
    int Year() const;

  private:
    ListingServices given_;
    const tabulo::Locale locale_;
    LinuxVolumeFacts volumes_;
    LinuxShortNames shortNames_;
    NoAutoComments comments_;
    NoArchives archives_;
    RunObserver silent_;
};

// Lists state.StartDir into `document` with the settings as they are (the caller has fixed the
// pattern, see ListingRun::FixPattern).
RunResult ListFolder(const ListSettings& settings, RunState& state, OutputDocument& document,
                     const ListingServices& services);

// The current year of the local clock.
int CurrentYear();

}  // namespace tabulo
