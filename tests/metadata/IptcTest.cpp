#include <gtest/gtest.h>

#include "Fixtures.h"
#include "metadata/AutoComments.h"
#include "metadata/Iptc.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using test::Dataset;

TIPTCData ReadJpeg(const std::string& file, std::string_view extension = ".JPG") {
    TIPTCData data;
    data.City = "stale";
    ReadIPTC(MemorySource(file), extension, data);
    return data;
}

TEST(Iptc, ReadsTheDatasetsOfAJpeg) {
    const std::string datasets = Dataset(0, std::string("\0\x02", 2)) + Dataset(120, "A caption") +
                                 Dataset(105, "Headline") + Dataset(90, "Paris") + Dataset(80, "Photographer") +
                                 Dataset(110, "Agency") + Dataset(5, "Object") + Dataset(95, "IDF") +
                                 Dataset(101, "France") + Dataset(116, "(c) Someone") + Dataset(199, "ignored") +
                                 Dataset(42, "unknown");
    const TIPTCData d = ReadJpeg(test::JpegWithIptc(datasets));
    EXPECT_EQ("A caption", d.Caption);
    EXPECT_EQ("Headline", d.Headline);
    EXPECT_EQ("Paris", d.City);
    EXPECT_EQ("Photographer", d.ByLine);
    EXPECT_EQ("Agency", d.Credit);
    EXPECT_EQ("Object", d.ObjectName);
    EXPECT_EQ("IDF", d.State);
    EXPECT_EQ("France", d.Country);
    EXPECT_EQ("(c) Someone", d.CopyrightNotice);
    EXPECT_EQ(9, d.Priority);  // no urgency dataset
    EXPECT_EQ(CivilDate{}, d.DateCreated);
}

TEST(Iptc, RepeatedDatasetsAndTextForms) {
    const std::string datasets = Dataset(25, "one") + Dataset(25, "two") + Dataset(105, "first") +
                                 Dataset(105, "second") + Dataset(120, "line1\rline2\r\nline3 \r\n  ") +
                                 Dataset(10, "3") + Dataset(10, "x") + Dataset(55, "20031224") + Dataset(20, "sup");
    const TIPTCData d = ReadJpeg(test::JpegWithIptc(datasets));
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), d.Keywords);
    EXPECT_EQ((std::vector<std::string>{"sup"}), d.SupplementalCategorys);
    EXPECT_EQ("second", d.Headline);
    EXPECT_EQ("line1\r\nline2\r\nline3", d.Caption);
    EXPECT_EQ(3, d.Priority);  // the text that is no number leaves it
    EXPECT_EQ((CivilDate{2003, 12, 24}), d.DateCreated);
}

TEST(Iptc, DateCreatedMustBeAValidDate) {
    for (const char* text : {"20031324", "20030230", "2003122x", "0000101", "2003"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CivilDate{}, ReadJpeg(test::JpegWithIptc(Dataset(55, text))).DateCreated);
    }
}

TEST(Iptc, DatasetsInsideDataAreReadToo) {
    // The scan does not jump over data: a caption that holds the bytes of a city dataset sets it.
    const std::string inner = Dataset(90, "Hidden");
    const TIPTCData d = ReadJpeg(test::JpegWithIptc(Dataset(120, "x" + inner)));
    EXPECT_EQ("Hidden", d.City);
    // A length that runs past the block takes what is there.
    const TIPTCData cut = ReadJpeg(test::JpegWithIptc(std::string("\x1C\x02\x69\x7F\xFFShort", 10)));
    EXPECT_EQ(0u, cut.Headline.find("Short"));
}

TEST(Iptc, JpegsWithoutAReadableBlockGiveNothing) {
    const std::string datasets = Dataset(120, "Caption");
    std::string noPhoto = test::JpegWithIptc(datasets);
    noPhoto.replace(noPhoto.find("Photo"), 5, "Paint");
    std::string big;
    for (int i = 0; i < 4000; ++i)
        big += Dataset(25, "kw");  // 28,000 bytes
    big += big;                    // 56,000: more than the buffer
    struct Case {
        const char* name;
        std::string file;
        std::string extension;
    } cases[] = {
        {"no Photo header", noPhoto, ".JPG"},
        {"segment beyond 64000 bytes", test::JpegWithIptc(datasets, 64100), ".JPG"},
        {"block larger than the buffer", test::JpegWithIptc(big), ".JPG"},
        {".JPEG is not searched", test::JpegWithIptc(datasets), ".JPEG"},
        {".PSD is not searched", test::JpegWithIptc(datasets), ".PSD"},
        {"empty file", "", ".JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TIPTCData d;
        d.City = "stale";
        EXPECT_FALSE(ReadIPTC(MemorySource(c.file), c.extension, d));
        EXPECT_EQ("", d.Caption + d.City);
        EXPECT_EQ(0, d.Priority);
        EXPECT_TRUE(d.Keywords.empty());
    }
    // Just inside the limit it is still found.
    EXPECT_EQ("Caption", ReadJpeg(test::JpegWithIptc(datasets, 60000)).Caption);
}

TEST(Iptc, ReadsTiffInBothByteOrders) {
    const std::string block = Dataset(120, "Tiff caption") + Dataset(90, "Oslo");
    for (const bool bigEndian : {false, true}) {
        for (const int directories : {1, 2}) {
            SCOPED_TRACE(std::string(bigEndian ? "MM" : "II") + " directories " + std::to_string(directories));
            const std::string file = test::TiffWithIptc(block, bigEndian, directories);
            const auto entry = ReadTiffDirectory(MemorySource(file));
            ASSERT_TRUE(entry.has_value());
            EXPECT_EQ(directories, entry->directory);
            TIPTCData d;
            ASSERT_TRUE(ReadIPTC(MemorySource(file), ".TIF", d));
            EXPECT_EQ("Tiff caption", d.Caption);
            EXPECT_EQ("Oslo", d.City);
        }
    }
}

TEST(Iptc, TiffDirectoryLimits) {
    const std::string block = Dataset(90, "Oslo");
    EXPECT_TRUE(ReadTiffDirectory(MemorySource(test::TiffWithIptc(block, false, 32))).has_value());
    EXPECT_FALSE(ReadTiffDirectory(MemorySource(test::TiffWithIptc(block, false, 33))).has_value());
    // A directory that points back to itself ends at the directory limit instead of looping.
    std::string loop = test::TiffWithIptc(block, false, 1);
    loop.replace(8 + 2 + 2 * 12, 4, test::U32Le(8));
    EXPECT_FALSE(ReadTiffDirectory(MemorySource(loop)).has_value());
    // More than 64 entries.
    std::string wide = "II" + test::U16Le(42) + test::U32Le(8) + test::U16Le(65) + std::string(65 * 12 + 4, '\0');
    EXPECT_FALSE(ReadTiffDirectory(MemorySource(wide)).has_value());
    // Truncated in the middle of a directory.
    const std::string good = test::TiffWithIptc(block, true, 2);
    EXPECT_FALSE(ReadTiffDirectory(MemorySource(good.substr(0, 30))).has_value());
    EXPECT_FALSE(ReadTiffDirectory(MemorySource("MM")).has_value());
}

TEST(Iptc, TiffBlockLargerThanTheBufferIsCut) {
    std::string block = Dataset(90, "Oslo");
    block += std::string(50000, '\0');
    block += Dataset(105, "Too far");
    TIPTCData d;
    ASSERT_TRUE(ReadIPTC(MemorySource(test::TiffWithIptc(block, false, 1)), ".TIF", d));
    EXPECT_EQ("Oslo", d.City);
    EXPECT_EQ("", d.Headline);
}

TEST(Iptc, ImageCaptionCommentShapesTheCaptionToken) {
    test::TempTree tree;
    const std::string caption = "First line\r\nSecond line\r\nThird line";
    tree.Text("photo.jpg", test::JpegWithIptc(Dataset(120, caption)));
    tree.Text("long.jpg", test::JpegWithIptc(Dataset(120, std::string(300, 'c'))));
    tree.Text("exact.jpg", test::JpegWithIptc(Dataset(120, std::string(256, 'e'))));
    struct Case {
        const char* name;
        std::string file;
        int mode;
        int maxLength;
        std::string comment;
        std::string shaped;
    } cases[] = {
        {"mode 0 joins lines", "photo.jpg", 0, 30, caption, "First line  Second line  Third line"},
        {"mode 1 keeps breaks", "photo.jpg", 1, 30, caption, caption},
        {"mode 2 cuts", "photo.jpg", 2, 8, caption, "First li"},
        {"over 256 is cut to 255", "long.jpg", 1, 30, std::string(255, 'c'), std::string(255, 'c')},
        {"exactly 256 stays", "exact.jpg", 1, 30, std::string(256, 'e'), std::string(256, 'e')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListSettings settings;
        settings.LongCaption = c.mode;
        settings.MaxCaptionLength = c.maxLength;
        TIPTCData d;
        EXPECT_EQ(c.comment, ImageCaptionComment(tree.Path(c.file), settings, d));
        EXPECT_EQ(c.shaped, d.Caption);
    }
    EXPECT_EQ("a b", ShapeCaption("a\n\rb", 0, 30));
}

TEST(Iptc, HostileBlocksStayBounded) {
    // Dataset headers every three bytes, each claiming data to the end of the block: the lists
    // must not repeat the block thousands of times.
    std::string block;
    while (block.size() < 37990)
        block += "\x1C\x02\x19";
    TIPTCData d;
    ASSERT_TRUE(ReadIPTC(MemorySource(test::TiffWithIptc(block, false, 1)), ".TIF", d));
    std::size_t total = 0;
    for (const std::string& k : d.Keywords)
        total += k.size();
    EXPECT_LT(total, 2 * kIPTCBufferSize);
    EXPECT_FALSE(d.Keywords.empty());
}

}  // namespace
}  // namespace tabulo
