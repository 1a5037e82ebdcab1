// The ID3v1 tag reader and the AutoComment made of it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/ID3Tag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tabulo::ID3Record record;
    tabulo::MP3Comment(tabulo::MemorySource(std::string_view(reinterpret_cast<const char*>(data), size)), record);
    return 0;
}
