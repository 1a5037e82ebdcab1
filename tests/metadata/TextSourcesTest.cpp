#include <gtest/gtest.h>

#include "metadata/HtmlTitle.h"
#include "metadata/IniFile.h"
#include "support/TempTree.h"

namespace tabulo {
namespace {

TEST(IniFile, FindsKeysLikeTheProfileReader) {
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> url;
    } cases[] = {
        {"plain", "[InternetShortcut]\r\nURL=http://example.org/\r\n", "http://example.org/"},
        {"case and blanks ignored", "\xEF\xBB\xBF[ internetshortcut ]\n  url =  http://a.b/c  \n", "http://a.b/c"},
        {"quotes removed", "[InternetShortcut]\nURL=\"http://q/\"\n", "http://q/"},
        {"other section", "[Other]\nURL=http://no/\n[InternetShortcut]\nIconIndex=0\n", std::nullopt},
        {"first key wins", "[InternetShortcut]\nURL=one\nURL=two\n", "one"},
        {"comment line", "[InternetShortcut]\n;URL=no\nURL=yes\n", "yes"},
        {"empty value", "[InternetShortcut]\nURL=\n", ""},
        {"no section at all", "URL=http://x/\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.url, IniValue(c.text, "InternetShortcut", "URL"));
    }
}

TEST(IniFile, UrlCommentReadsTheFile) {
    test::TempTree tree;
    tree.Text("site.url", "[DEFAULT]\r\nBASEURL=http://x/\r\n[InternetShortcut]\r\nURL=http://x/page\r\n");
    EXPECT_EQ("http://x/page", UrlComment(tree.Path("site.url")));
    EXPECT_EQ("", UrlComment(tree.Path("missing.url")));
}

TEST(HtmlTitle, TakesTheFirstTitleLongerThanTwoCharacters) {
    struct Case {
        const char* name;
        std::string html;
        std::string title;
    } cases[] = {
        {"plain", "<html><head>\n<title> My Page </title>\n</head>", "My Page"},
        {"any case", "<TiTlE>Mixed</tItLe>", "Mixed"},
        {"short title then more lines", "<title>ab</title>\n<p>text</p>\n", ""},
        {"short title on the last line", "<p>text</p>\n<title>ab</title>", "ab"},
        {"later long title wins over short", "<title>ab</title>\n<title>Long</title>\n<p>", "Long"},
        {"attributes do not count", "<title lang=en>Nope</title>", ""},
        {"title over two lines", "<title>Split\nTitle</title>", ""},
        {"closing tag first", "</title><title>x y z", ""},
        {"no title", "<html></html>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.title, HtmlTitleFromSource(MemorySource(c.html)));
    }
}

TEST(HtmlTitle, MissingOrUnreadableFileGivesNothing) {
    test::TempTree tree;
    EXPECT_EQ("", HtmlTitleComment(tree.Path("missing.html")));
    tree.Folder("folder.html");
    EXPECT_EQ("", HtmlTitleComment(tree.Path("folder.html")));
    tree.Text("page.htm", "<title>\xE9t\xE9</title>");  // Latin-1 text shown as UTF-8
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", HtmlTitleComment(tree.Path("page.htm")));
}

}  // namespace
}  // namespace tabulo
