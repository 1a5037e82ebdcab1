#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Fixtures.h"
#include "metadata/ID3Tag.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

std::string Mp3(const std::string& tag) {
    return std::string(300, '\xFB') + tag;
}

std::string Padded(std::string text, std::size_t width = 30) {
    text.resize(width, ' ');
    return text;
}

TEST(ID3Tag, ReadsAndFitsTheFields) {
    ID3Record r;
    const std::string file = Mp3(test::Id3v1Tag("Yesterday", "The Beatles", "Help", "1965", "Remastered", 13, 17));
    ASSERT_TRUE(ReadID3Tag(MemorySource(file), r));
    EXPECT_EQ(Padded("Yesterday"), r.Title);
    EXPECT_EQ(Padded("The Beatles"), r.Artist);
    EXPECT_EQ(Padded("Help"), r.Album);
    EXPECT_EQ("1965", r.Year);
    EXPECT_EQ(Padded("Remastered"), r.Comment);
    EXPECT_EQ("13", r.Track);
    EXPECT_EQ(Padded("Rock"), r.Genre);
    EXPECT_EQ("Yesterday (The Beatles - Help)", MP3Comment(MemorySource(file), r));
}

TEST(ID3Tag, FieldEdgeCases) {
    struct Case {
        const char* name;
        std::string tag;
        std::string ID3Record::*field;
        std::string expected;
    } cases[] = {
        {"full 30-byte title stays whole", test::Id3v1Tag(std::string(30, 'x'), "", "", "", "", 0, 0),
         &ID3Record::Title, std::string(30, 'x')},
        {"track 7", test::Id3v1Tag("", "", "", "", "", 7, 0), &ID3Record::Track, "7 "},
        {"track 120", test::Id3v1Tag("", "", "", "", "", 120, 0), &ID3Record::Track, ".."},
        {"track 0", test::Id3v1Tag("", "", "", "", "", 0, 0), &ID3Record::Track, "0 "},
        {"genre 200", test::Id3v1Tag("", "", "", "", "", 0, 200), &ID3Record::Genre, "200"},
        {"genre 255", test::Id3v1Tag("", "", "", "", "", 0, 255), &ID3Record::Genre, "255"},
        {"genre 144", test::Id3v1Tag("", "", "", "", "", 0, 144), &ID3Record::Genre, Padded("Trash Metal")},
        {"genre 40", test::Id3v1Tag("", "", "", "", "", 0, 40), &ID3Record::Genre, Padded("Alt. Rock")},
        {"29-byte comment, last byte read as track", test::Id3v1Tag("", "", "", "", std::string(29, 'c'), 'd', 0),
         &ID3Record::Track, ".."},
        {"year stops at NUL", test::Id3v1Tag("", "", "", std::string("19\0\0", 4), "", 0, 0), &ID3Record::Year, "19"},
        {"Latin-1 title", test::Id3v1Tag("Caf\xE9", "", "", "", "", 0, 0), &ID3Record::Title,
         "Caf\xC3\xA9" + std::string(26, ' ')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ID3Record r;
        ASSERT_TRUE(ReadID3Tag(MemorySource(Mp3(c.tag)), r));
        EXPECT_EQ(c.expected, r.*c.field);
    }
}

TEST(ID3Tag, EmptyFieldsMakeABareComment) {
    ID3Record r;
    EXPECT_EQ(" ( - )", MP3Comment(MemorySource(Mp3(test::Id3v1Tag("", "", "", "", "", 0, 0))), r));
}

TEST(ID3Tag, NoTagEmptiesEverything) {
    const std::string tag = test::Id3v1Tag("T", "A", "B", "2000", "C", 1, 1);
    struct Case {
        const char* name;
        std::string file;
    } cases[] = {
        {"lower-case tag", Mp3(test::Id3v1Tag("T", "A", "B", "2000", "C", 1, 1, "tag"))},
        {"shorter than a tag", tag.substr(1)},
        {"empty", ""},
        {"tag not at the end", tag + "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ID3Record r{"t", "a", "b", "y", "c", "1", "g"};
        EXPECT_FALSE(ReadID3Tag(MemorySource(c.file), r));
        EXPECT_EQ("", r.Title + r.Artist + r.Album + r.Year + r.Comment + r.Track + r.Genre);
        EXPECT_EQ("", MP3Comment(MemorySource(c.file), r));
    }
}

TEST(ID3Tag, ReadsReadOnlyFilesWithoutChangingThem) {
    test::TempTree tree;
    tree.Text("song.mp3", Mp3(test::Id3v1Tag("Song", "Band", "Disc", "2001", "", 1, 13)));
    ::chmod(tree.Path("song.mp3").c_str(), 0444);
    struct stat before {};
    ::stat(tree.Path("song.mp3").c_str(), &before);
    ID3Record r;
    EXPECT_EQ("Song (Band - Disc)", MP3Comment(tree.Path("song.mp3"), r));
    struct stat after {};
    ::stat(tree.Path("song.mp3").c_str(), &after);
    EXPECT_EQ(before.st_mode, after.st_mode);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_FALSE(ReadID3Tag(tree.Path("missing.mp3"), r));
}

TEST(ID3Tag, GenreTableHas145Names) {
    EXPECT_EQ("Blues", GenreName(0));
    EXPECT_EQ("Native US", GenreName(64));
    EXPECT_EQ("Rhytmic Soul", GenreName(118));
    EXPECT_EQ("Acapella", GenreName(123));
    for (int code = 0; code <= 144; ++code)
        EXPECT_FALSE(GenreName(code).empty()) << code;
    EXPECT_EQ("", GenreName(145));
}

}  // namespace
}  // namespace tabulo
