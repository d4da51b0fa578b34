#include "Dialogs.h"

#include <QUrl>
#include <gtest/gtest.h>

// What the desktop is handed: links as links (a mail link too, which has no "//"),
// paths as local files.
TEST(OpenUrl, LinksStayLinksAndPathsBecomeLocalFiles)
{
    const struct {
        const char *given, *expected;
    } rows[] = {
        {"https://example.com/a?b=c%20d", "https://example.com/a?b=c%20d"},
        {"mailto:a@example.com?subject=Hi%20there&body=x%0A%0Ay", "mailto:a@example.com?subject=Hi%20there&body=x%0A%0Ay"},
        {"file:///x/a%20b.pdf", "file:///x/a%20b.pdf"},
        {"/home/user/Help.pdf", "file:///home/user/Help.pdf"},
        {"/home/user/a:b.pdf", "file:///home/user/a:b.pdf"},
        {"C:/x.pdf", "file:///C:/x.pdf"},
        {"my notes:1.txt", "file:my%20notes:1.txt"},
        {"ab:x", "ab:x"},
        {"svn+ssh://example.org/r", "svn+ssh://example.org/r"},
        {"x-y.z9:1", "x-y.z9:1"},
        {"1ab:x", "file:1ab:x"},
        {"a b:x", "file:a%20b:x"},
        {"\u00e9t\u00e9:x", "file:%C3%A9t%C3%A9:x"},
        {"", ""},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(Url_For_Opening(QString::fromUtf8(rows[i].given)).toString(QUrl::FullyEncoded),
                  QString::fromUtf8(rows[i].expected))
            << "row " << i;
}

#include "FileUtilities.h"

TEST(OpenUrl, FileUrlsGiveTheirLocalPathOthersNothing)
{
    const struct {
        const char *url, *path;
    } rows[] = {
        {"file:///x/a%20b.png", "/x/a b.png"},
        {"file:/x/c.png", "/x/c.png"},
        {"https://x", ""},
        {"mailto:a@example.com", ""},
        {"/x/plain-path.png", ""},
        {"", ""},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(Convert_Path_From_URL(QString::fromUtf8(rows[i].url)), QString::fromUtf8(rows[i].path)) << "row " << i;
}
