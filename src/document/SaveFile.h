#pragma once

#include <optional>
#include <string>

#include "document/Document.h"

namespace tabulo {

// The output format of a list, as the pattern editor selects it.
enum class ListFormat { Normal, Html, Delimited };

// The save dialog's filter list: description and pattern pairs separated by "|". An HTML or
// delimited list in advanced mode is saved as such; everything else as text or RTF.
std::string SaveFilterList(bool advancedMode, ListFormat format);

// The question asked before a file is replaced.
std::string ReplaceQuestion(const std::string& fileName);

// What saving asks of the user; the desktop program shows real dialogs, tests answer directly.
class SaveFileUi {
  public:
    struct Choice {
        std::string fileName;  // full name
        int filterIndex = 1;   // 1-based position in the filter list
    };
    enum class Answer { Yes, No, Cancel };

    virtual ~SaveFileUi() = default;
    // The save dialog with this filter list and default extension; none when cancelled. The
    // dialog does not ask about replacing files itself.
    virtual std::optional<Choice> ChooseFile(const std::string& filterList, const std::string& defaultExtension) = 0;
    // A confirmation box with the question icon and the buttons Yes, No and Cancel.
    virtual Answer Confirm(const std::string& text) = 0;
    // An error message box.
    virtual void ShowError(const std::string& text) = 0;
};

// Runs the whole save interaction: the dialog, the replace question, the writer chosen by the
// filter index (RTF only for the second entry of the text/RTF list, plain text otherwise). Returns
// the full name of the file written, or an empty text when the user cancelled, declined to
// replace a file, or the file could not be written (then after an error message).
std::string SaveFile(const Document& document, bool advancedMode, ListFormat format, SaveFileUi& ui);

}  // namespace tabulo
