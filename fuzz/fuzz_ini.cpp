// The INI reader of Internet shortcuts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tabulo::IniValue(std::string_view(reinterpret_cast<const char*>(data), size), "InternetShortcut", "URL");
    return 0;
}
