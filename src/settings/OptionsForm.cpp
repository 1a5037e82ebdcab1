#include "settings/OptionsForm.h"

#include "settings/SettingsKey.h"

namespace tabulo {

namespace {

// Disabled while "List folders only" is checked.
constexpr OptionBox kFoldersOnlyDisables[] = {
    OptionBox::IgnoreEmpty, OptionBox::FolderHeader, OptionBox::FolderSummary,       OptionBox::ResetCounter,
    OptionBox::ShortFNames, OptionBox::KB,           OptionBox::IgnoreMaxColumnSize,
};

}  // namespace

const std::array<OptionBoxInfo, kOptionBoxCount>& OptionBoxes() {
    static const std::array<OptionBoxInfo, kOptionBoxCount> boxes{{
        {OptionBox::KB, "cbKB", "Sizes as KB", "KB", &OptionFlags::KB},
        {OptionBox::IgnoreEmpty, "cbIgnoreEmptyFolders", "Ignore empty folders", "IgnoreEmpty",
         &OptionFlags::IgnoreEmpty},
        {OptionBox::ShortFNames, "cbShortFNames", "DOS (8.3) filenames", "ShortFNames", &OptionFlags::ShortFNames},
        {OptionBox::FoldersOnly, "cbDirectoriesOnly", "List folders only", "FoldersOnly", &OptionFlags::FoldersOnly},
        {OptionBox::LowerCase, "cbLowerCase", "All names as lowercase", "LowerCase", &OptionFlags::LowerCase},
        {OptionBox::UpperCase, "cbUpperCase", "All names as uppercase", "UpperCase", &OptionFlags::UpperCase},
        {OptionBox::VolumeLabel, "cbIncludeVolumeLabel", "Include volume label", "VolumeLabel",
         &OptionFlags::VolumeLabel},
        {OptionBox::FolderSummary, "cbIncFolderSummary", "Include folder summary", "FolderSummary",
         &OptionFlags::FolderSummary},
        {OptionBox::FolderHeader, "cbIncFolderHeader", "Include folder header", "FolderHeader",
         &OptionFlags::FolderHeader},
        {OptionBox::ResetCounter, "cbResetCounter", "Reset counter for each folder", "ResetCounter",
         &OptionFlags::ResetCounter},
        {OptionBox::TotalSummary, "cbIncTotalSummary", "Include total summary", "TotalSummary",
         &OptionFlags::TotalSummary},
        {OptionBox::IgnoreMaxColumnSize, "cbIgnoreMaxColumnSize", "Ignore max column size", "IgnoreMaxColumnSize",
         &OptionFlags::IgnoreMaxColumnSize},
        {OptionBox::FullPath, "cbFullPath", "Full path", "FullPath", &OptionFlags::FullPath},
        {OptionBox::DosLikeListing, "cbDosLikeListing", "Dos-like dir listing", "DosLikeListing",
         &OptionFlags::DosLikeListing},
        {OptionBox::ZipContent, "cbZipContent", "Include archive contents", "ZipContent", &OptionFlags::ZipContent},
        {OptionBox::TreeViewMode, "cbTreeViewMode", "TreeView mode", "TreeViewMode", &OptionFlags::TreeViewMode},
    }};
    return boxes;
}

const SettingTable<TOptionsForm>& OptionsSettings() {
    static const SettingTable<TOptionsForm> table = [] {
        // Position of each box (in write order) in the read order.
        constexpr int kReadOrder[kOptionBoxCount] = {
            1,   // KB
            2,   // IgnoreEmpty
            3,   // ShortFNames
            4,   // FoldersOnly
            5,   // LowerCase
            16,  // UpperCase
            6,   // VolumeLabel
            7,   // FolderSummary
            8,   // FolderHeader
            9,   // ResetCounter
            10,  // TotalSummary
            15,  // IgnoreMaxColumnSize
            11,  // FullPath
            12,  // DosLikeListing
            13,  // ZipContent
            14,  // TreeViewMode
        };
        const OptionFlags defaults;
        SettingTable<TOptionsForm> t;
        for (int i = 0; i < kOptionBoxCount; ++i) {
            const OptionBoxInfo& info = OptionBoxes()[static_cast<std::size_t>(i)];
            const OptionBox box = info.box;
            t.push_back({
                .name = info.storedAs,
                .kind = SettingKind::YesNo,
                .defaultValue = std::int32_t{defaults.*info.flag ? 1 : 0},
                .readOrder = kReadOrder[i],
                .writeOrder = i + 1,
                .set = [box](TOptionsForm& f, const SettingValue& v) { f.SetChecked(box, v.integer != 0); },
                .get =
                    [box](const TOptionsForm& f) {
                        return SettingValue{f.Checked(box) ? 1 : 0, {}};
                    },
            });
        }
        return t;
    }();
    return table;
}

TOptionsForm::TOptionsForm() {
    enabled_.fill(true);
    ApplyDefaults(OptionsSettings(), *this);
    ApplyFoldersOnlyRule();
    ApplyTreeViewRule();
}

void TOptionsForm::Click(OptionBox box) {
    if (!Enabled(box)) return;
    SetChecked(box, !Checked(box));
}

void TOptionsForm::SetChecked(OptionBox box, bool checked) {
    if (checked_[Index(box)] == checked) return;
    checked_[Index(box)] = checked;
    React(box);
    if (onChanged) onChanged();
}

void TOptionsForm::React(OptionBox box) {
    switch (box) {
        case OptionBox::FoldersOnly:
        case OptionBox::FullPath:
            ApplyFoldersOnlyRule();
            break;
        case OptionBox::FolderHeader:
        case OptionBox::FolderSummary:
            if (!Checked(OptionBox::FolderHeader) && !Checked(OptionBox::FolderSummary)) {
                SetChecked(OptionBox::ResetCounter, false);
            }
            break;
        case OptionBox::TreeViewMode:
            ApplyTreeViewRule();
            break;
        case OptionBox::LowerCase:
            if (Checked(OptionBox::LowerCase)) SetChecked(OptionBox::UpperCase, false);
            break;
        case OptionBox::UpperCase:
            if (Checked(OptionBox::UpperCase)) SetChecked(OptionBox::LowerCase, false);
            break;
        default:
            break;
    }
}

void TOptionsForm::ApplyFoldersOnlyRule() {
    const bool foldersOnly = Checked(OptionBox::FoldersOnly);
    for (OptionBox b : kFoldersOnlyDisables)
        enabled_[Index(b)] = !foldersOnly;
    if (!foldersOnly) ApplyTreeViewRule();
    mainWindowControlsEnabled_ = !foldersOnly;
    if (onMainWindowControlsEnabled) onMainWindowControlsEnabled(!foldersOnly);
}

void TOptionsForm::ApplyTreeViewRule() {
    enabled_[Index(OptionBox::IgnoreMaxColumnSize)] = Checked(OptionBox::TreeViewMode);
}

void TOptionsForm::Show(const ListSettings& settings) {
    SetChecked(OptionBox::ResetCounter, settings.ListOptions.ResetCounter);
    ApplyTreeViewRule();
    if (onChanged) onChanged();
}

void TOptionsForm::LoadOptions(SettingsStore& store, std::string_view profile) {
    LoadGroup(store, GroupKey(profile, "Options"), OptionsSettings(), *this, profile.empty());
}

void TOptionsForm::SaveOptions(SettingsStore& store, std::string_view profile) const {
    SaveGroup(store, GroupKey(profile, "Options"), OptionsSettings(), *this, profile.empty());
}

void TOptionsForm::SetBoxesFrom(const OptionFlags& flags) {
    // In write order the folder header and summary come before the counter, whose own value
    // therefore stands at the end.
    for (const OptionBoxInfo& info : OptionBoxes())
        SetChecked(info.box, flags.*info.flag);
}

void ApplyOptions(const TOptionsForm& form, ListSettings& settings, bool& treeViewButtonDown) {
    OptionFlags& list = settings.ListOptions;
    for (const OptionBoxInfo& info : OptionBoxes())
        list.*info.flag = form.Checked(info.box);
    list.ArchiveMembers = false;
    treeViewButtonDown = list.TreeViewMode;
    settings.ArchiveOptions = SetArchiveOptions(list);
    settings.ArchiveOptions.TreeViewMode = treeViewButtonDown;
}

void TreeViewButtonClick(TOptionsForm& form, ListSettings& settings, bool down) {
    form.SetChecked(OptionBox::TreeViewMode, down);
    settings.ListOptions.TreeViewMode = down;
    settings.ArchiveOptions.TreeViewMode = down;
}

}  // namespace tabulo
