#include "format/Listing.h"

#include <ctime>

#include "format/ListPrinter.h"

namespace tabulo {

int CurrentYear() {
    return ToLocalDateTime(static_cast<std::int64_t>(std::time(nullptr))).date.year;
}

RunResult ListFolder(const ListSettings& settings, RunState& state, OutputDocument& document,
                     const ListingServices& services) {
    LinuxVolumeFacts linuxVolumes;
    LinuxShortNames linuxShortNames;
    NoAutoComments noComments;
    NoArchives noArchives;
    RunObserver silent;
    const Locale fallbackLocale;
    const Locale& locale = services.locale ? *services.locale : fallbackLocale;
    VolumeFacts& volumes = services.volumes ? *services.volumes : linuxVolumes;
    ShortNameSource& shortNames = services.shortNames ? *services.shortNames : linuxShortNames;
    AutoCommentsSource& autoComments = services.autoComments ? *services.autoComments : noComments;
    ArchiveLister& archives = services.archives ? *services.archives : noArchives;
    RunObserver& observer = services.observer ? *services.observer : silent;
    const int year = services.currentYear != 0 ? services.currentYear : CurrentYear();

    ListPrinter printer(settings, state, document, locale, shortNames, autoComments, year);
    ListingRun run(settings, state, document, locale, volumes, observer, printer, autoComments, archives);
    return run.Execute();
}

}  // namespace tabulo
