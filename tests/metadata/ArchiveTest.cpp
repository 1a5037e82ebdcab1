#include <gtest/gtest.h>

#include "Fixtures.h"
#include "metadata/ArchiveMembers.h"
#include "metadata/ZipText.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

TEST(ZipText, CleansTheFirstLinesOfTheText) {
    struct Case {
        const char* name;
        std::string text;
        std::string comment;
    } cases[] = {
        {"first line", "  Super Tool v1.0  \r\nmore", "Super Tool v1.0"},
        {"frame line skipped, second set keeps _", "=-=-=-=-=\r\n_/ Cool_Game \\_\r\n", "_ Cool_Game _"},
        {"first set removes _ but keeps /", "<< A/B_C >>", "A/BC"},
        {"third line", "****\r\n----\r\nThird", "Third"},
        {"three empty lines", "**\n**\n**\nFourth", ""},
        {"only line is two asterisks", "**", ""},
        {"blank first line is taken and is too short", "   \r\nSecond", ""},
        {"two characters are too short", "ab", ""},
        {"empty text", "", ""},
        {"cut to 500 characters", std::string(600, 'x'), std::string(500, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.comment, ZipMemberComment(c.text));
    }
}

std::string ZipComment(const Members& members) {
    return ZipTextComment(MemorySource(test::MakeArchive("zip", members)));
}

TEST(ZipText, ChoosesTheMember) {
    struct Case {
        const char* name;
        Members members;
        std::string comment;
    } cases[] = {
        {"file_id.diz first", {{"readme.txt", "Readme"}, {"FILE_ID.DIZ", "Diz text"}}, "Diz text"},
        {"then readme.txt", {{"a.exe", "MZ"}, {"whatsnew.txt", "News"}, {"ReadMe.TXT", "Readme"}}, "Readme"},
        {"then whatsnew.txt", {{"WhatsNew.txt", "News here"}}, "News here"},
        {"found diz that cleans to nothing stops the search", {{"file_id.diz", "**"}, {"readme.txt", "Readme"}}, ""},
        {"member in a folder", {{"pkg/", ""}, {"pkg/readme.txt", "Nested readme"}}, "Nested readme"},
        {"top-level member beats a nested one",
         {{"a/readme.txt", "Nested"}, {"b/README.TXT", "Other nested"}, {"readme.txt", "Top"}},
         "Top"},
        {"none of the three", {{"notes.txt", "Notes"}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.comment, ZipComment(c.members));
    }
}

TEST(ZipText, FailuresGiveAnEmptyComment) {
    EXPECT_EQ("", ZipTextComment(MemorySource("PK\x03\x04 not really")));
    EXPECT_EQ("", ZipTextComment(MemorySource(test::MakeArchive("tar", {{"readme.txt", "Tar readme"}}))));
    test::TempTree tree;
    EXPECT_EQ("", ZipTextComment(tree.Path("missing.zip")));
    // Damaged compressed data of the chosen member.
    std::string zip = test::MakeArchive("zip", {{"readme.txt", "Readme text\r\n" + std::string(5000, 'A')}});
    const std::size_t local = zip.find("readme.txt") - 30;
    const std::size_t data =
        local + 30 + 10 +
        (static_cast<unsigned char>(zip[local + 28]) | (static_cast<unsigned char>(zip[local + 29]) << 8));
    for (std::size_t at = data; at < data + 8; ++at)
        zip[at] = static_cast<char>(zip[at] ^ 0x5A);
    EXPECT_EQ("", ZipTextComment(MemorySource(zip)));
}

TEST(ZipText, ExtractsOnlyTheFirst64KiBOfAMember) {
    // The first line is longer than what is extracted, so the second line is never seen: the
    // member was not read whole.
    const std::string text = std::string(70000, '*') + "\r\nSecond line\r\n" + std::string(1 << 20, ' ');
    EXPECT_EQ("", ZipComment({{"readme.txt", text}}));
    EXPECT_EQ("Second line", ZipMemberComment(text));
}

std::vector<std::pair<std::string, std::int64_t>> NamesAndSizes(const std::vector<ArchiveMember>& members) {
    std::vector<std::pair<std::string, std::int64_t>> out;
    for (const ArchiveMember& m : members)
        out.emplace_back(m.name, m.size);
    return out;
}

TEST(ArchiveMembers, ListsFileMembersOfEveryKind) {
    const Members members = {{"top.txt", "12345"}, {"docs/", ""}, {"docs/deep/note.md", std::string(3000, 'n')}};
    for (const char* kind : {"zip", "tar", "tar.gz", "7z"}) {
        SCOPED_TRACE(kind);
        const auto listed = ListArchiveMembers(MemorySource(test::MakeArchive(kind, members, 1136073600)));
        ASSERT_TRUE(listed.has_value());
        EXPECT_EQ((std::vector<std::pair<std::string, std::int64_t>>{{"top.txt", 5}, {"docs/deep/note.md", 3000}}),
                  NamesAndSizes(*listed));
        EXPECT_EQ(1136073600, listed->front().mtime.value_or(0));
    }
}

TEST(ArchiveMembers, OrdinaryFilesAreNoArchives) {
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"text", "just some text\n"},
        {"zeros", std::string(20000, '\0')},
        {"mp3-like", std::string(4096, '\xFB') + test::Id3v1Tag("t", "a", "b", "", "", 1, 1)},
        {"mtree-like text", "#mtree\n./a type=file size=3\n"},
        {"gzip of plain text", test::MakeArchive("gz", {{"text", "plain text, compressed"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ListArchiveMembers(MemorySource(c.bytes)).has_value());
    }
    // An empty but real archive lists no member.
    const auto empty = ListArchiveMembers(MemorySource(test::MakeArchive("zip", {})));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
}

TEST(ArchiveMembers, SizesAre64BitAndDamageLosesOnlyTheRest) {
    // A tar header that states a 5 GiB member whose data is missing: the member is listed with
    // its stated size, and the missing data ends the list.
    std::string tar = test::MakeArchive("tar", {{"small.txt", "abc"}, {"big.bin", "x"}});
    const std::size_t bigHeader = tar.find("big.bin") - 0;
    // Rewrite big.bin's size field (octal, 12 bytes at offset 124 of its header) to 5 GiB.
    std::string header = tar.substr(bigHeader, 512);
    header.replace(124, 12, "50000000000 ");
    unsigned sum = 0;
    header.replace(148, 8, "        ");
    for (unsigned char ch : header)
        sum += ch;
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "%06o", sum);
    header.replace(148, 8, std::string(checksum, 6) + std::string("\0 ", 2));
    tar = tar.substr(0, bigHeader) + header + "x";
    const auto listed = ListArchiveMembers(MemorySource(tar));
    ASSERT_TRUE(listed.has_value());
    ASSERT_EQ(2u, listed->size());
    EXPECT_EQ(5368709120, listed->back().size);

    // A zip cut in half still gives nothing wrong: either none or the members that are whole.
    const std::string zip = test::MakeArchive("zip", {{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
    for (std::size_t n = 0; n < zip.size(); ++n) {
        const auto cut = ListArchiveMembers(MemorySource(zip.substr(0, n)));
        if (cut) {
            EXPECT_LE(cut->size(), 2u) << n;
        }
    }
}

TEST(ArchiveMembers, Utf8NamesSurviveTheCLocale) {
    // A zip whose member name is marked as UTF-8 (general purpose flag 0x0800), read while the
    // process runs in the C locale, as the tests do.
    std::string zip = test::MakeArchive("zip", {{"GrXXXXe.txt", "x"}});
    for (std::size_t at = 0; (at = zip.find("GrXXXXe.txt", at)) != std::string::npos; at += 11) {
        zip.replace(at + 2, 4, "\xC3\xBC\xC3\x9F");
    }
    for (std::size_t at = 0; (at = zip.find("PK\x03\x04", at)) != std::string::npos; at += 4)
        zip[at + 7] |= 0x08;
    for (std::size_t at = 0; (at = zip.find("PK\x01\x02", at)) != std::string::npos; at += 4)
        zip[at + 9] |= 0x08;
    const auto members = ListArchiveMembers(MemorySource(zip));
    ASSERT_TRUE(members.has_value());
    ASSERT_EQ(1u, members->size());
    EXPECT_EQ(
        "Gr\xC3\xBC\xC3\x9F"
        "e.txt",
        members->front().name);
}

TEST(ArchiveMembers, ListerReadsFilesAndRefusesOthers) {
    test::TempTree tree;
    tree.Text("pack.zip", test::MakeArchive("zip", {{"a.txt", "a"}, {"b/c.txt", "cc"}}));
    tree.Text("plain.txt", "not an archive");
    tree.Folder("folder.zip");
    LibArchiveLister lister;
    const auto members = lister.ListMembers(tree.Path("pack.zip"));
    ASSERT_TRUE(members.has_value());
    EXPECT_EQ(2u, members->size());
    EXPECT_FALSE(lister.ListMembers(tree.Path("plain.txt")).has_value());
    EXPECT_FALSE(lister.ListMembers(tree.Path("folder.zip")).has_value());
    EXPECT_FALSE(lister.ListMembers(tree.Path("missing.zip")).has_value());
}

}  // namespace
}  // namespace tabulo
