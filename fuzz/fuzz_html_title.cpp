// The HTML title reader, through the chunked line reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/HtmlTitle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tabulo::HtmlTitleFromSource(tabulo::MemorySource(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
