#include "document/FindReplace.h"

namespace tabulo {

SearchOptions ToSearchOptions(const DialogOptions& options) {
    return SearchOptions{options.matchCase, options.down, options.wholeWord};
}

std::string FindReplace::PrefillText(const std::string& selectedText) {
    return selectedText.substr(0, selectedText.find_first_of("\r\n"));
}

void FindReplace::Prefill(std::string& findText) const {
    if (document_.HasSelection()) findText = PrefillText(document_.SelectedText());
}

void FindReplace::Find1Click() {
    replace_.open = false;
    Prefill(find_.findText);
    find_.open = true;
}

void FindReplace::Searchandreplace1Click() {
    find_.open = false;
    Prefill(replace_.findText);
    replace_.open = true;
}

bool FindReplace::FindDialogFind() {
    const DialogOptions options{find_.matchCase, true, false};
    if (SearchText(document_, find_.findText, ToSearchOptions(options))) return true;
    messages_.Information("No search match has been found.", "Search");
    return false;
}

bool FindReplace::ReplaceDialogFind() {
    if (SearchText(document_, replace_.findText, ToSearchOptions(replace_.options))) return true;
    messages_.Plain("String not found");
    return false;
}

bool FindReplace::ReplaceSelectedIfExact() {
    if (document_.ReadOnly() || !document_.HasSelection() || document_.SelectedText() != replace_.findText)
        return false;
    ReplaceSelection();
    return true;
}

void FindReplace::ReplaceSelection() {
    const DocRange inserted = document_.InsertText(replace_.replaceText);
    // Searching upwards goes on before the inserted text, so a replacement that holds the search
    // text is not found again.
    if (!replace_.options.down) document_.SetCaret(inserted.start);
}

bool FindReplace::ReplaceDialogReplace() {
    const bool replaced = ReplaceSelectedIfExact();
    if (!SearchText(document_, replace_.findText, ToSearchOptions(replace_.options))) {
        messages_.Plain("String not found");
    }
    return replaced;
}

int FindReplace::ReplaceDialogReplaceAll() {
    const SearchOptions options = ToSearchOptions(replace_.options);
    int count = 0;
    document_.BeginUndoGroup();
    if (ReplaceSelectedIfExact()) count = 1;
    while (!document_.ReadOnly() && SearchText(document_, replace_.findText, options)) {
        ReplaceSelection();
        ++count;
    }
    document_.EndUndoGroup();
    messages_.Information("There were " + std::to_string(count) + " replacements made.", "Search and Replace");
    return count;
}

}  // namespace tabulo
