#pragma once

#include <optional>
#include <string>

#include "document/Document.h"

namespace tabulo {

// The system clipboard as the editor commands use it: plain text and the "Rich Text Format".
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetRtf(const std::string& rtf) = 0;
    virtual std::optional<std::string> Text() const = 0;
    virtual std::optional<std::string> Rtf() const = 0;
};

// The editor's clipboard commands; each returns whether it did anything. Cut and the pastes need
// an editable document; copies and cut need a selection and leave the clipboard alone without one.
// Plain text on the clipboard has its lines joined by LF.
bool Cut(Document& document, Clipboard& clipboard);
bool Copy(const Document& document, Clipboard& clipboard);
// Puts the selection on the clipboard as RTF only.
bool CopyAsRtf(const Document& document, Clipboard& clipboard);
// Inserts the clipboard's text at the caret, in place of the selection, in the current style.
bool Paste(Document& document, const Clipboard& clipboard);
// Inserts the clipboard's RTF with its formatting, appending the styles it needs.
bool PasteAsRtf(Document& document, const Clipboard& clipboard);

}  // namespace tabulo
