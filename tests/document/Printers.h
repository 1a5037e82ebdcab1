#pragma once

#include <ostream>

#include "document/Document.h"

// Readable values in test failure messages.
namespace tabulo {

inline void PrintTo(const TextRun& run, std::ostream* os) {
    *os << "{\"" << run.text << "\", " << run.style << "}";
}

inline void PrintTo(const Paragraph& p, std::ostream* os) {
    *os << "[" << p.paragraphStyle << "]";
    for (const TextRun& run : p.runs) {
        *os << " ";
        PrintTo(run, os);
    }
}

inline void PrintTo(const DocPosition& p, std::ostream* os) {
    *os << "(" << p.paragraph << ", " << p.offset << ")";
}

inline void PrintTo(const DocRange& r, std::ostream* os) {
    PrintTo(r.start, os);
    *os << "-";
    PrintTo(r.end, os);
}

inline void PrintTo(const Selection& s, std::ostream* os) {
    *os << "anchor ";
    PrintTo(s.anchor, os);
    *os << " caret ";
    PrintTo(s.caret, os);
}

}  // namespace tabulo
