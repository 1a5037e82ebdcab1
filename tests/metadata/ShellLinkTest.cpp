#include <gtest/gtest.h>

#include "Fixtures.h"
#include "metadata/ShellLink.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

TEST(ShellLink, ChoosesLocalPathThenShareThenRelativePath) {
    struct Case {
        const char* name;
        test::LinkParts parts;
        std::string target;
    } cases[] = {
        {"local base alone", {"C:\\Tools\\app.exe", "", "", "..\\Tools\\app.exe"}, "C:\\Tools\\app.exe"},
        {"local base with suffix", {"C:\\Data", "report.doc", "", ""}, "C:\\Data\\report.doc"},
        {"ANSI strings", {"C:\\Ansi\\x.txt", "", "", "", false}, "C:\\Ansi\\x.txt"},
        {"network share", {"", "docs\\plan.txt", "\\\\server\\share", ""}, "\\\\server\\share\\docs\\plan.txt"},
        {"relative path only", {"", "", "", "..\\notes.txt"}, "..\\notes.txt"},
        {"relative path, ANSI, no id list", {"", "", "", "sub\\a.txt", false, false}, "sub\\a.txt"},
        {"no target", {"", "", "", ""}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.target, ShellLinkTarget(test::ShellLink(c.parts)));
    }
}

TEST(ShellLink, DamagedLinksGiveNothing) {
    const std::string good = test::ShellLink({"C:\\Tools\\app.exe", "", "", "rel\\app.exe"});
    std::string wrongClsid = good;
    wrongClsid[5] = 'X';
    EXPECT_EQ("", ShellLinkTarget(wrongClsid));
    EXPECT_EQ("", ShellLinkTarget("not a link"));
    // Every truncation must be handled: no crash, and a target only when its bytes are there.
    for (std::size_t n = 0; n < good.size(); ++n) {
        const std::string target = ShellLinkTarget(good.substr(0, n));
        EXPECT_TRUE(target.empty() || target == "C:\\Tools\\app.exe" || target == "rel\\app.exe") << n;
    }
}

TEST(ShellLink, ShortcutCommentReadsTheFile) {
    test::TempTree tree;
    tree.Text("app.lnk", test::ShellLink({"C:\\Program Files\\App\\app.exe", "", "", ""}));
    EXPECT_EQ("C:\\Program Files\\App\\app.exe", ShortcutComment(tree.Path("app.lnk")));
    EXPECT_EQ("", ShortcutComment(tree.Path("missing.lnk")));
}

}  // namespace
}  // namespace tabulo
