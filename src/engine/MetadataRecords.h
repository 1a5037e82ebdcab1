#pragma once

#include <string>
#include <vector>

#include "platform/DateTime.h"

namespace tabulo {

// Version strings of an executable, each at most 30 characters.
struct VersionInfoRecord {
    std::string CompanyName;
    std::string FileDescription;
    std::string ProductName;
    std::string ProductVersion;
};

// The ID3v1 tag of an MPEG audio file, fitted to its columns.
struct ID3Record {
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    std::string Track;
    std::string Genre;
};

// Empties all seven fields.
inline void ResetID3TagInfo(ID3Record& r) {
    r = ID3Record{};
}

// The IPTC record of an image.
struct TIPTCData {
    std::string ObjectName;
    int Priority = 0;
    std::string Category;
    std::vector<std::string> SupplementalCategorys;
    std::vector<std::string> Keywords;
    std::string SpecialInstructions;
    CivilDate DateCreated;  // day zero (30 December 1899) means no date
    std::string ByLine;
    std::string ByLineTitle;
    std::string City;
    std::string State;
    std::string Country;
    std::string TransmissionReference;
    std::string Headline;
    std::string Credit;
    std::string Source;
    std::string CopyrightNotice;
    std::string Caption;
    std::string CaptionWriter;

    void Clear() { *this = TIPTCData{}; }
};

// The metadata of the file being formatted; overwritten for each file.
struct MetadataRecords {
    VersionInfoRecord version;
    ID3Record id3;
    TIPTCData iptc;
};

}  // namespace tabulo
