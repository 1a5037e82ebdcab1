#include "document/SaveFile.h"

#include <sys/stat.h>

#include "document/DocumentFiles.h"
#include "platform/TabuloError.h"

namespace tabulo {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool TextOrRtfList(bool advancedMode, ListFormat format) {
    return !advancedMode || format == ListFormat::Normal;
}

}  // namespace

std::string SaveFilterList(bool advancedMode, ListFormat format) {
    if (TextOrRtfList(advancedMode, format)) return "Text file (*.txt)|*.txt|Rich text format (*.rtf)|*.rtf";
    if (format == ListFormat::Html) return "HTML file (*.html)|*.html";
    return "SDV file (*.sdv)|*.sdv";
}

std::string ReplaceQuestion(const std::string& fileName) {
    return fileName + " already exists.\rDo you want to replace it?";
}

std::string SaveFile(const Document& document, bool advancedMode, ListFormat format, SaveFileUi& ui) {
    const std::optional<SaveFileUi::Choice> choice = ui.ChooseFile(SaveFilterList(advancedMode, format), "txt");
    if (!choice || choice->fileName.empty()) return {};
    if (Exists(choice->fileName) && ui.Confirm(ReplaceQuestion(choice->fileName)) != SaveFileUi::Answer::Yes) {
        return {};
    }
    const bool rtf = TextOrRtfList(advancedMode, format) && choice->filterIndex == 2;
    try {
        if (rtf) {
            SaveAsRtf(document, choice->fileName);
        } else {
            SaveAsPlainText(document, choice->fileName);
        }
    } catch (const TabuloError& e) {
        ui.ShowError(e.what());
        return {};
    }
    return choice->fileName;
}

}  // namespace tabulo
