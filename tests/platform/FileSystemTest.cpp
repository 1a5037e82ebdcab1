#include <gtest/gtest.h>

#include <map>

#include "platform/DirectoryReader.h"
#include "platform/TabuloError.h"
#include "platform/VolumeFacts.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

TEST(DirectoryReader, KindsOfEntriesAndLinks) {
    test::TempTree tree;
    tree.File("file.txt", 10, test::UtcTime(2020, 1, 2));
    tree.Folder("sub");
    tree.Symlink("file.txt", "to-file");
    tree.Symlink("sub", "to-sub");
    tree.Symlink("missing", "dangling");
    tree.File(".hidden", 1);

    DirectoryReader reader;
    ASSERT_TRUE(reader.Read(tree.Root()));
    std::map<std::string, DirectoryReader::Kind> kinds;
    std::map<std::string, FileStat> stats;
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        const std::string name(reader.Name(i));
        kinds[name] = reader.KindOf(i);
        FileStat st;
        if (reader.Stat(i, st, false)) stats[name] = st;
    }
    using K = DirectoryReader::Kind;
    EXPECT_EQ((std::map<std::string, K>{{".hidden", K::File},
                                        {"dangling", K::File},
                                        {"file.txt", K::File},
                                        {"sub", K::Folder},
                                        {"to-file", K::File},
                                        {"to-sub", K::FolderLink}}),
              kinds);
    EXPECT_EQ(10, stats["to-file"].size);  // a link to a file shows its target
    EXPECT_EQ(test::UtcTime(2020, 1, 2), stats["to-file"].mtime);
    EXPECT_EQ(7, stats["dangling"].size);  // a dangling link shows itself: "missing"
    EXPECT_EQ(static_cast<std::uint32_t>(kAttrHidden), stats[".hidden"].attr);
    EXPECT_EQ(0u, stats["file.txt"].attr);
}

TEST(DirectoryReader, ExaminesABigFolderAhead) {
    test::TempTree tree;
    for (int i = 0; i < 600; ++i)
        tree.File("f" + std::to_string(i), i, test::UtcTime(2000, 1, 1) + i);
    DirectoryReader reader;
    ASSERT_TRUE(reader.Read(tree.Root()));
    std::vector<std::size_t> all(reader.Count());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    reader.Prefetch(all, true);
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        const int n = std::stoi(std::string(reader.Name(i).substr(1)));
        FileStat st;
        ASSERT_TRUE(reader.Stat(i, st, true));
        EXPECT_EQ(n, st.size);
        EXPECT_EQ(test::UtcTime(2000, 1, 1) + n, st.mtime);
    }
}

TEST(DirectoryReader, UnreadableFolderGivesNoEntries) {
    DirectoryReader reader;
    EXPECT_FALSE(reader.Read("/nonexistent/folder"));
    EXPECT_EQ(0u, reader.Count());
}

TEST(VolumeFacts, MountInfoLines) {
    MountEntry e;
    ASSERT_TRUE(
        ParseMountInfoLine("36 35 98:1 / /media/my\\040disk rw,noatime shared:1 - vfat /dev/sdb1 rw,fmask=0022", e));
    EXPECT_EQ(98u, e.major);
    EXPECT_EQ(1u, e.minor);
    EXPECT_EQ("/media/my disk", e.mountPoint);
    EXPECT_EQ("vfat", e.fsType);
    EXPECT_EQ("/dev/sdb1", e.source);
    EXPECT_FALSE(ParseMountInfoLine("garbage", e));

    EXPECT_TRUE(IsNetworkFsType("nfs4"));
    EXPECT_TRUE(IsNetworkFsType("cifs"));
    EXPECT_TRUE(IsNetworkFsType("fuse.sshfs"));
    EXPECT_FALSE(IsNetworkFsType("ext4"));
    EXPECT_EQ("My Disk", DecodeUdevLabel("My\\x20Disk"));
}

TEST(VolumeFacts, LinuxFactsOfATemporaryFolder) {
    test::TempTree tree;
    LinuxVolumeFacts facts;
    EXPECT_GT(facts.ClusterSize(tree.Root()), 0u);
    EXPECT_GE(facts.FreeBytes(tree.Root()), 0);
    EXPECT_EQ(0, facts.FreeBytes("/nonexistent/folder"));
    try {
        facts.ClusterSize("/nonexistent/folder");
        ADD_FAILURE() << "no error";
    } catch (const TabuloError& e) {
        EXPECT_EQ("System Error.  Code: 2.\r\nNo such file or directory (/nonexistent/folder)", std::string(e.what()));
    }
}

}  // namespace
}  // namespace tabulo
