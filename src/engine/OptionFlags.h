#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tabulo {

// The seventeen option flags of a listing. `ListOptions` applies to listed folders,
// `ArchiveOptions` to the member lists of archives; both have this layout.
struct OptionFlags {
    bool IgnoreEmpty = false;
    bool ShortFNames = false;
    bool KB = false;
    bool FoldersOnly = false;
    bool FolderHeader = true;
    bool FolderSummary = true;
    bool ResetCounter = true;
    bool VolumeLabel = false;
    bool TotalSummary = false;
    bool LowerCase = false;
    bool UpperCase = false;
    bool DosLikeListing = false;
    bool FullPath = true;
    bool ZipContent = false;
    bool ArchiveMembers = false;
    bool TreeViewMode = false;
    bool IgnoreMaxColumnSize = false;

    friend bool operator==(const OptionFlags&, const OptionFlags&) = default;
};

// The flags by index (the field's position in the record) and name.
struct OptionFlagField {
    std::string_view name;
    bool OptionFlags::*member;
};
inline constexpr std::array<OptionFlagField, 17> kOptionFlagFields{{
    {"IgnoreEmpty", &OptionFlags::IgnoreEmpty},
    {"ShortFNames", &OptionFlags::ShortFNames},
    {"KB", &OptionFlags::KB},
    {"FoldersOnly", &OptionFlags::FoldersOnly},
    {"FolderHeader", &OptionFlags::FolderHeader},
    {"FolderSummary", &OptionFlags::FolderSummary},
    {"ResetCounter", &OptionFlags::ResetCounter},
    {"VolumeLabel", &OptionFlags::VolumeLabel},
    {"TotalSummary", &OptionFlags::TotalSummary},
    {"LowerCase", &OptionFlags::LowerCase},
    {"UpperCase", &OptionFlags::UpperCase},
    {"DosLikeListing", &OptionFlags::DosLikeListing},
    {"FullPath", &OptionFlags::FullPath},
    {"ZipContent", &OptionFlags::ZipContent},
    {"ArchiveMembers", &OptionFlags::ArchiveMembers},
    {"TreeViewMode", &OptionFlags::TreeViewMode},
    {"IgnoreMaxColumnSize", &OptionFlags::IgnoreMaxColumnSize},
}};

// The member-list record that goes with a folder record: the name and size choices carry over,
// headers, summaries, counter reset, volume label and total summary are off, `ArchiveMembers` is
// on, and the tree view follows the folder record (the tool button mirrors it).
inline OptionFlags SetArchiveOptions(const OptionFlags& list) {
    OptionFlags a = list;
    a.FolderHeader = false;
    a.FolderSummary = false;
    a.ResetCounter = false;
    a.VolumeLabel = false;
    a.TotalSummary = false;
    a.ArchiveMembers = true;
    return a;
}

}  // namespace tabulo
