// The descript.ion parser and its lookup.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/DescriptIon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tabulo::DescriptIonTable table;
    table.Parse(text);
    table.Lookup(text.substr(0, 16));
    return 0;
}
