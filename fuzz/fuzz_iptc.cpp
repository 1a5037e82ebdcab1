// The IPTC reader: the JPEG search, the TIFF directory walk and the dataset scan.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/Iptc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tabulo::MemorySource source(bytes);
    tabulo::TIPTCData iptc;
    tabulo::ReadIPTC(source, ".JPG", iptc);
    tabulo::ReadIPTC(source, ".TIF", iptc);
    iptc.Clear();
    tabulo::ParseIPTCDatasets(bytes.substr(0, tabulo::kIPTCBufferSize), iptc);
    return 0;
}
