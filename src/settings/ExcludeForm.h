#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ListSettings.h"

namespace tabulo {

// A sorted list box that allows several selected entries: entries in ascending order without
// regard to case, a selection, and the focused entry (-1: none).
class ExclusionListBox {
  public:
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    bool Selected(int index) const { return selected_[static_cast<std::size_t>(index)]; }

    // Replaces the entries (sorted as they come in); nothing selected or focused.
    void Assign(const std::vector<std::string>& entries);
    // Adds the entry at its sorted place unless an entry equal to it without regard to case is
    // there; true when added.
    bool AddUnique(const std::string& entry);
    void SetSelected(int index, bool selected);
    void SetItemIndex(int index);

    // Removes every selected entry.
    void RemoveSelected();
    // Removes the focused entry; the focus moves to the entry now at that position, or to the new
    // last entry when the last one was removed.
    void RemoveCurrent();

  private:
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    int itemIndex_ = -1;
};

// The Exclusions window ("Exclusions"): three tabs, each with a sorted list and, for extensions
// and file names, an edit box and an Add button, plus "Exclude all subfolders" on the folders tab.
// The lists are edited here and go to the run settings only on OK.
class TExcludeForm {
  public:
    enum class Tab { Extensions, Filenames, Folders };

    ExclusionListBox lbExtension;
    ExclusionListBox lbFilename;
    ExclusionListBox lbFolder;
    std::string ebExtension;  // "Enter extension to ignore (no wildcards)"
    std::string ebFilename;   // "Enter filename to exclude (no wildcards)"
    bool cbExcludeAllSubfolders = true;

    // Opening: the lists are copied into the list boxes and "Exclude all subfolders" is shown and
    // remembered.
    void Show(const ListSettings& settings);
    // OK: the three lists are replaced by the list boxes' entries (ApplyExclusions) and the
    // subfolder choice is taken over. Cancel: the choice returns to its state at opening and the
    // lists stay as they were. Either way both edit boxes are cleared.
    void btnOkClick(ListSettings& settings);
    void btnCancelClick();

    // A key typed into an edit box: "*" and "?" are refused (false) with a beep.
    bool KeyPress(Tab tab, char32_t key);
    // Whether the tab's Add button is enabled: exactly when its edit box is not empty.
    bool AddEnabled(Tab tab) const;

    // "&Add" of the extension tab: a "." is put in front unless the text begins with one; an entry
    // equal to the result without regard to case is not added twice. The box is cleared.
    void btnExtensionClick();
    // "&Add" of the file-name tab.
    void btnFilenameClick();
    // "Add f&older", after the folder browser ("Exclude: Select folder") was confirmed with this
    // folder's path (empty for a folder without a file-system path).
    void AddFolder(const std::string& path);

    // "&Remove" of a tab: removes the selected entries.
    void btnRemoveClick(Tab tab);
    // A double-click on a list, or the Del key released in it: removes its focused entry.
    void ListDoubleClick(Tab tab);

    std::function<void()> beep;

  private:
    ExclusionListBox& List(Tab tab);
    bool shownExcludeAllSubfolders_ = true;
};

}  // namespace tabulo
