#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/MetadataRecords.h"
#include "metadata/ByteSource.h"

namespace tabulo {

// The VS_VERSIONINFO block of a Windows executable or library (PE, 32- or 64-bit): the data of
// its RT_VERSION resource. None when the bytes are not a PE file or hold no version resource.
std::optional<std::string> FindVersionResource(const ByteSource& file);

// The value of a sub-block of a version block, found by a path such as
// "\VarFileInfo\Translation" (names compared without regard to case); none when missing.
std::optional<std::string_view> VerQueryValue(std::string_view versionInfo, std::string_view path);

// One string of the version block: looked up in the string table of the first translation
// entry only ("\StringFileInfo\" + language and code page as 8 upper-case hex digits + "\" +
// name), up to its first NUL, as UTF-8. Empty when anything is missing.
std::string GetVersionString(std::string_view versionInfo, std::string_view name);

// Fills CompanyName, FileDescription, ProductName and ProductVersion (each at most 30
// characters; empty when missing) and returns FileDescription.
std::string ReadVersionInfo(const ByteSource& file, VersionInfoRecord& record);
std::string ReadVersionInfo(const std::string& path, VersionInfoRecord& record);

}  // namespace tabulo
