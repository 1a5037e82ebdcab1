#pragma once

#include <string>

#include "engine/ListSettings.h"
#include "engine/RunServices.h"
#include "metadata/DescriptIon.h"

namespace tabulo {

// The caption of an image for "%COMM" (cut to 255 characters when longer than 256); the IPTC
// record's Caption is left shaped for "%IPTC_CAP" by the long-caption mode.
std::string ImageCaptionComment(const std::string& path, const ListSettings& settings, TIPTCData& iptc);

// The caption as "%IPTC_CAP" shows it: mode 0 turns line breaks into blanks, mode 2 keeps at
// most maxLength characters, mode 1 (and any other) keeps it as it is.
std::string ShapeCaption(std::string caption, int mode, int maxLength);

// Finds each file's AutoComment: its line in the folder's descript.ion, else the one source its
// extension and the switches select (version resource, zip text, HTML title, image caption, MP3
// tag, Internet shortcut, shell link). Reading a source fills the metadata records.
class FileAutoComments : public AutoCommentsSource {
  public:
    void BeginRun() override;
    void EndRun() override;
    void CheckDesctriptIonFile(const std::string& folder) override;
    std::string AutoComments(const std::string& path, const ListSettings& settings, MetadataRecords& records) override;

  private:
    DescriptIonTable table_;
    std::string tableFolder_;  // the folder the table was read for, ending in "/"
};

}  // namespace tabulo
