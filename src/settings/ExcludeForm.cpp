#include "settings/ExcludeForm.h"

#include <algorithm>

#include "platform/Utf8.h"
#include "settings/RegistryTree.h"

namespace tabulo {

void ExclusionListBox::Assign(const std::vector<std::string>& entries) {
    items_ = entries;
    std::stable_sort(items_.begin(), items_.end(),
                     [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
    selected_.assign(items_.size(), false);
    itemIndex_ = -1;
}

bool ExclusionListBox::AddUnique(const std::string& entry) {
    for (const std::string& item : items_) {
        if (utf8::EqualIgnoreCase(item, entry)) return false;
    }
    const auto at = std::upper_bound(items_.begin(), items_.end(), entry,
                                     [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
    const auto index = at - items_.begin();
    items_.insert(at, entry);
    selected_.insert(selected_.begin() + index, false);
    if (itemIndex_ >= index) ++itemIndex_;
    return true;
}

void ExclusionListBox::SetSelected(int index, bool selected) {
    if (index >= 0 && index < static_cast<int>(items_.size())) selected_[static_cast<std::size_t>(index)] = selected;
}

void ExclusionListBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

void ExclusionListBox::RemoveSelected() {
    for (std::size_t i = items_.size(); i-- > 0;) {
        if (!selected_[i]) continue;
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(i));
        if (itemIndex_ > static_cast<int>(i)) --itemIndex_;
    }
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = static_cast<int>(items_.size()) - 1;
}

void ExclusionListBox::RemoveCurrent() {
    if (itemIndex_ < 0 || itemIndex_ >= static_cast<int>(items_.size())) return;
    items_.erase(items_.begin() + itemIndex_);
    selected_.erase(selected_.begin() + itemIndex_);
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = static_cast<int>(items_.size()) - 1;
}

ExclusionListBox& TExcludeForm::List(Tab tab) {
    switch (tab) {
        case Tab::Extensions:
            return lbExtension;
        case Tab::Filenames:
            return lbFilename;
        case Tab::Folders:
            break;
    }
    return lbFolder;
}

void TExcludeForm::Show(const ListSettings& settings) {
    lbFolder.Assign(settings.ExcludedFolders);
    lbFilename.Assign(settings.ExcludedFileNames);
    lbExtension.Assign(settings.ExcludedExtensions);
    cbExcludeAllSubfolders = settings.ExcludeAllSubfolders;
    shownExcludeAllSubfolders_ = cbExcludeAllSubfolders;
}

void TExcludeForm::btnOkClick(ListSettings& settings) {
    settings.ExcludedExtensions = lbExtension.Items();
    settings.ExcludedFileNames = lbFilename.Items();
    settings.ExcludedFolders = lbFolder.Items();
    settings.ExcludeAllSubfolders = cbExcludeAllSubfolders;
    ebExtension.clear();
    ebFilename.clear();
}

void TExcludeForm::btnCancelClick() {
    cbExcludeAllSubfolders = shownExcludeAllSubfolders_;
    ebExtension.clear();
    ebFilename.clear();
}

bool TExcludeForm::KeyPress(Tab, char32_t key) {
    if (key != U'*' && key != U'?') return true;
    if (beep) beep();
    return false;
}

bool TExcludeForm::AddEnabled(Tab tab) const {
    switch (tab) {
        case Tab::Extensions:
            return !ebExtension.empty();
        case Tab::Filenames:
            return !ebFilename.empty();
        case Tab::Folders:
            break;
    }
    return true;
}

void TExcludeForm::btnExtensionClick() {
    if (ebExtension.empty()) return;
    lbExtension.AddUnique(ebExtension[0] == '.' ? ebExtension : "." + ebExtension);
    ebExtension.clear();
}

void TExcludeForm::btnFilenameClick() {
    if (ebFilename.empty()) return;
    lbFilename.AddUnique(ebFilename);
    ebFilename.clear();
}

void TExcludeForm::AddFolder(const std::string& path) {
    lbFolder.AddUnique(path);
}

void TExcludeForm::btnRemoveClick(Tab tab) {
    List(tab).RemoveSelected();
}

void TExcludeForm::ListDoubleClick(Tab tab) {
    List(tab).RemoveCurrent();
}

}  // namespace tabulo
