#include <gtest/gtest.h>
#include <sys/stat.h>

#include "metadata/ByteSource.h"
#include "metadata/ID3Tag.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

TEST(ByteSource, InputFileOpensOnlyRegularFiles) {
    test::TempTree tree;
    tree.Text("file.mp3", "0123456789");
    tree.Folder("folder.mp3");
    ASSERT_EQ(0, ::mkfifo(tree.Path("pipe.mp3").c_str(), 0644));
    tree.Symlink(tree.Path("pipe.mp3"), "link-to-pipe.mp3");

    const InputFile file(tree.Path("file.mp3"));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(10, file.Size());
    EXPECT_EQ("789", file.Read(7, 100));
    EXPECT_EQ("", file.Read(10, 1));
    EXPECT_EQ("", file.Read(-1, 1));

    // A FIFO would block a reader forever and a folder has no bytes: neither is opened, so a
    // listing never hangs on them.
    for (const char* name : {"folder.mp3", "pipe.mp3", "link-to-pipe.mp3", "missing.mp3"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(InputFile(tree.Path(name)).IsOpen());
        ID3Record record;
        EXPECT_FALSE(ReadID3Tag(tree.Path(name), record));
    }
}

TEST(ByteSource, MemorySourceReadsWithinItsBytes) {
    const MemorySource source("abcdef");
    EXPECT_EQ("cd", source.Read(2, 2));
    EXPECT_EQ("ef", source.Read(4, 100));
    EXPECT_EQ("", source.Read(6, 1));
    EXPECT_EQ("abc", source.Head(3));
}

}  // namespace
}  // namespace tabulo
