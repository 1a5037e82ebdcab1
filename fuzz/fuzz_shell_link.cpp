// The shell link reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tabulo::ShellLinkTarget(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
