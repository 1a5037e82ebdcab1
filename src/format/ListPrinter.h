#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EntryOrder.h"
#include "engine/ListSettings.h"
#include "engine/OutputDocument.h"
#include "engine/RunServices.h"
#include "engine/RunState.h"
#include "format/Tokens.h"
#include "platform/Locale.h"
#include "platform/ShortNames.h"

namespace tabulo {

// Prints one folder's block: the opening (folder header, tree-view folder line, "<DIR>" rows),
// one line per entry made from the pattern (or the tree-view line), member lists under their
// archives, and the closing (table end, folder summary, folder count).
class ListPrinter : public FolderPrinter {
  public:
    ListPrinter(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
                ShortNameSource& shortNames, AutoCommentsSource& autoComments, int currentYear);

    void PrintList(std::vector<TFileItem>& entries, const std::string& dir, const OptionFlags& options,
                   bool fromCatalog, std::int64_t folderSize, std::int64_t largestSize,
                   std::int32_t folderFiles) override;

    // The folder name of headers and tree lines: the path without its final separator, relative
    // to the start folder unless FullPath (or a catalog) says otherwise; "/" for the start folder
    // itself.
    std::string GetDirname(const std::string& dir, bool fromCatalog) const;

    // Width the date column is filled to.
    std::size_t DateColumnWidth() const;

    // Size text of n bytes; with `fixed`, blanks in front up to the width of ref's grouped form.
    std::string GetFilesize(bool fixed, std::int64_t n, std::int64_t ref, const OptionFlags& options) const;

  private:
    struct Block;  // working values of one PrintList call

    void WriteOpening(Block& block);
    void WriteEntry(Block& block, TFileItem& entry, std::size_t position);
    void WriteClosing(Block& block);
    std::string Comment(Block& block, const TFileItem& entry, const std::string& fullPath);
    std::string SizeText(bool fixed, std::int64_t n, std::size_t width, const OptionFlags& options) const;
    bool HasToken(Token t) const { return (patternTokens_ & (std::uint64_t{1} << static_cast<int>(t))) != 0; }
    static std::string_view MetadataText(Token token, const MetadataRecords& records);

    const ListSettings& settings_;
    RunState& state_;
    OutputDocument& document_;
    const Locale& locale_;
    ShortNameSource& shortNames_;
    AutoCommentsSource& autoComments_;
    EntryOrder order_;
    std::string pattern_;          // ActivePattern with its line breaks
    std::uint64_t patternTokens_;  // tokens the pattern holds
    struct PatternPiece {
        std::string literal;
        int token = -1;  // a token slot, or -1 for literal text
    };
    std::vector<PatternPiece> pieces_;
    bool singlePass_ = true;
    std::array<std::string, kTokenCount> values_;  // the current entry's token values
    std::string casedName_, shownName_;            // the current entry's name, cased and as shown
    std::string line_, scratch_;
};

// Attribute letters of an exact attribute value: 1 "R", 32 "A", 33 "RA", 34 "HA", 35 "RHA";
// every other value gives an empty text.
std::string ConvertAttr(std::uint32_t attr);

}  // namespace tabulo
