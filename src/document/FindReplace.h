#pragma once

#include <string>

#include "document/Document.h"
#include "document/TextSearch.h"

namespace tabulo {

// The options a find or replace dialog offers.
struct DialogOptions {
    bool matchCase = false;
    bool down = true;
    bool wholeWord = false;
};

SearchOptions ToSearchOptions(const DialogOptions& options);

// The messages searching shows; the desktop program shows message boxes.
class SearchMessages {
  public:
    virtual ~SearchMessages() = default;
    // A message box with the information icon.
    virtual void Information(const std::string& text, const std::string& caption) = 0;
    // A plain message without caption or icon.
    virtual void Plain(const std::string& text) = 0;
};

// The find and replace dialogs over a document: their state (which one is open, the texts, the
// options) and their commands. Only one of the two is open at a time.
class FindReplace {
  public:
    struct FindDialog {
        bool open = false;
        std::string findText;
        bool matchCase = false;  // its only option: downwards, no whole words
    };
    struct ReplaceDialog {
        bool open = false;
        std::string findText;
        std::string replaceText;
        DialogOptions options;
    };

    FindReplace(Document& document, SearchMessages& messages) : document_(document), messages_(messages) {}

    FindDialog& Find() { return find_; }
    ReplaceDialog& Replace() { return replace_; }

    // Opens the find dialog (closing the replace dialog), its search text taken from the selection.
    void Find1Click();
    // Opens the replace dialog (closing the find dialog), prefilled the same way.
    void Searchandreplace1Click();
    bool FindDialogFind();
    bool ReplaceDialogFind();
    // The replace button; true when the selection was replaced.
    bool ReplaceDialogReplace();
    // The replace-all button: replaces every match from the selection on in the dialog's
    // direction, never touching text it has inserted; returns the count it reports.
    int ReplaceDialogReplaceAll();

    // The search text a selection offers: its text up to the first line break.
    static std::string PrefillText(const std::string& selectedText);

  private:
    void Prefill(std::string& findText) const;
    // Replaces the selection when it is exactly the search text (letter case included).
    bool ReplaceSelectedIfExact();
    // Replaces the selection; the caret goes where the next search in the dialog's direction
    // must start.
    void ReplaceSelection();

    Document& document_;
    SearchMessages& messages_;
    FindDialog find_;
    ReplaceDialog replace_;
};

}  // namespace tabulo
