#include "format/Listing.h"

#include <ctime>

#include "format/ListPrinter.h"

namespace tabulo {

int CurrentYear() {
    return ToLocalDateTime(static_cast<std::int64_t>(std::time(nullptr))).date.year;
}

int ResolvedServices::Year() const {
    return given_.currentYear != 0 ? given_.currentYear : CurrentYear();
}

RunResult ListFolder(const ListSettings& settings, RunState& state, OutputDocument& document,
                     const ListingServices& services) {
    ResolvedServices s(services);
    ListPrinter printer(settings, state, document, s.Locale(), s.ShortNames(), s.AutoComments(), s.Year());
    ListingRun run(settings, state, document, s.Locale(), s.Volumes(), s.Observer(), printer, s.AutoComments(),
                   s.Archives());
    return run.Execute();
}

}  // namespace tabulo
