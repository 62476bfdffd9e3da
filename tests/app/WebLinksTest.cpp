// The link commands hand their addresses to the desktop; here a hook stands in for it.
#include "WebLinks.h"

#include <QUrlQuery>
#include <gtest/gtest.h>
#include <vector>

TEST(WebLinks, CommandsOpenTheirAddresses)
{
    std::vector<QUrl> opened;
    WebLinks::setOpenHook([&opened](const QUrl& url) { opened.push_back(url); });
    WebLinks::openHomePage();
    WebLinks::openContactMail();
    WebLinks::openProductPage();
    WebLinks::setOpenHook({});

    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].scheme(), "http");
    EXPECT_EQ(opened[0].path(), "/");

    EXPECT_EQ(opened[1].scheme(), "mailto");
    EXPECT_TRUE(opened[1].path().contains('@'));
    EXPECT_FALSE(opened[1].path().startsWith(' '));
    EXPECT_EQ(
        QUrlQuery(opened[1]).queryItemValue("subject", QUrl::FullyDecoded), "Question for Quendra");

    EXPECT_EQ(opened[2].scheme(), "http");
    EXPECT_EQ(opened[2].host(), opened[0].host());
    EXPECT_EQ(opened[2].query(), "src=freeware");
}
