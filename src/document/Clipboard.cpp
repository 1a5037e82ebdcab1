#include "document/Clipboard.h"

#include "document/RtfWriter.h"

namespace tabulo {

bool Copy(const Document& document, Clipboard& clipboard) {
    if (!document.HasSelection()) return false;
    clipboard.Clear();
    clipboard.SetText(document.Text(document.GetSelection().Range(), "\n"));
    return true;
}

bool Cut(Document& document, Clipboard& clipboard) {
    if (document.ReadOnly() || !Copy(document, clipboard)) return false;
    document.DeleteSelection();
    return true;
}

bool CopyAsRtf(const Document& document, Clipboard& clipboard) {
    if (!document.HasSelection()) return false;
    clipboard.Clear();
    clipboard.SetRtf(RtfText(document, document.GetSelection().Range()));
    return true;
}

bool Paste(Document& document, const Clipboard& clipboard) {
    if (document.ReadOnly()) return false;
    const std::optional<std::string> text = clipboard.Text();
    if (!text) return false;
    document.InsertText(*text);
    return true;
}

bool PasteAsRtf(Document& document, const Clipboard& clipboard) {
    if (document.ReadOnly()) return false;
    const std::optional<std::string> rtf = clipboard.Rtf();
    if (!rtf) return false;
    document.PasteRtf(*rtf);
    return true;
}

}  // namespace tabulo
