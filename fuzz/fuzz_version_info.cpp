// The PE reader and the version block lookup.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/VersionInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tabulo::VersionInfoRecord record;
    tabulo::ReadVersionInfo(tabulo::MemorySource(bytes), record);
    // The data also as a version block of its own.
    tabulo::GetVersionString(bytes, "CompanyName");
    tabulo::VerQueryValue(bytes, "\\StringFileInfo\\040904B0\\ProductVersion");
    return 0;
}
