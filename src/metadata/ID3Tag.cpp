#include "metadata/ID3Tag.h"

#include <array>

#include "engine/NumberFormat.h"
#include "metadata/TextDecoding.h"

namespace tabulo {

namespace {

constexpr std::size_t kTagSize = 128;
constexpr std::size_t kColumn = 30;

// The ID3v1 genres with the Winamp extensions (from 80 on), codes 0 to 144, ten to a row.
// clang-format off
constexpr std::array<std::string_view, 145> kGenres{
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    /*  10 */ "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    /*  20 */ "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    /*  30 */ "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    /*  40 */ "Alt. Rock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic",
    /*  50 */ "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    /*  60 */ "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native US", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",
    /*  70 */ "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    /*  80 */ "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    /*  90 */ "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic",
    /* 100 */ "Humour", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove",
    /* 110 */ "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhytmic Soul", "Freestyle",
    /* 120 */ "Duet", "Punk Rock", "Drum Solo", "Acapella", "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore",
    /* 130 */ "Terror", "Indie", "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover",
    /* 140 */ "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Trash Metal",
};
// clang-format on

static_assert(kGenres[17] == "Rock" && kGenres[40] == "Alt. Rock" && kGenres[64] == "Native US" &&
              kGenres[118] == "Rhytmic Soul" && kGenres[123] == "Acapella" && kGenres[144] == "Trash Metal");

// A text field: its bytes up to the first NUL.
std::string Field(std::string_view tag, std::size_t offset, std::size_t length) {
    std::string_view bytes = tag.substr(offset, length);
    bytes = bytes.substr(0, bytes.find('\0'));
    return text::ShownText(bytes);
}

}  // namespace

std::string_view GenreName(int code) {
    if (code < 0 || code >= static_cast<int>(kGenres.size())) return {};
    return kGenres[static_cast<std::size_t>(code)];
}

bool ReadID3Tag(const ByteSource& file, ID3Record& record) {
    const std::int64_t size = file.Size();
    const std::string tag =
        size >= static_cast<std::int64_t>(kTagSize) ? file.Read(size - kTagSize, kTagSize) : std::string();
    if (tag.size() != kTagSize || tag.compare(0, 3, "TAG") != 0) {
        ResetID3TagInfo(record);
        return false;
    }
    record.Title = FitToWidth(Field(tag, 3, 30), kColumn);
    record.Artist = FitToWidth(Field(tag, 33, 30), kColumn);
    record.Album = FitToWidth(Field(tag, 63, 30), kColumn);
    record.Year = Field(tag, 93, 4);
    // The track byte is read whether or not the byte before it is 0 (an ID3v1.1 track number).
    record.Track = FitToWidth(std::to_string(static_cast<unsigned char>(tag[126])), 2);
    const int genre = static_cast<unsigned char>(tag[127]);
    record.Genre =
        genre < static_cast<int>(kGenres.size()) ? FitToWidth(GenreName(genre), kColumn) : std::to_string(genre);
    record.Comment = FitToWidth(Field(tag, 97, 29), kColumn);
    return true;
}

bool ReadID3Tag(const std::string& path, ID3Record& record) {
    const InputFile file(path);
    return ReadID3Tag(static_cast<const ByteSource&>(file), record);
}

std::string MP3Comment(const ByteSource& file, ID3Record& record) {
    if (!ReadID3Tag(file, record)) return {};
    return std::string(text::Trim(record.Title)) + " (" + std::string(text::Trim(record.Artist)) + " - " +
           std::string(text::Trim(record.Album)) + ")";
}

std::string MP3Comment(const std::string& path, ID3Record& record) {
    const InputFile file(path);
    return MP3Comment(static_cast<const ByteSource&>(file), record);
}

}  // namespace tabulo
