#include "links/site_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// The host given to the build (SITE_HOST), spelled out here so that the addresses below are
// compared with what a user would type, not with the table the code uses.
const std::string host = CONFIGURED_SITE_HOST;

TEST(SitePages, EachPageIsTheBaseAddressFollowedDirectlyByItsPath) {
    struct Case {
        SitePage page;
        std::string address;
    };
    const Case cases[] = {
        {SitePage::moreTools, "http://" + host + "/forum-49-1.html"},
        {SitePage::gameGuides, "http://" + host + "/forum.php?gid=39"},  // query kept as is
        {SitePage::officialForum, "http://" + host + "/"},               // exactly one slash
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(sitePageAddress(c.page), c.address);
    }
}

TEST(SitePages, TheBaseAddressIsHttpAndTheHostWithNothingAfterIt) {
    EXPECT_EQ(siteBaseUrl, "http://" + host);
    EXPECT_EQ(siteHost(), host);
    EXPECT_FALSE(siteHost().empty());
    EXPECT_NE(siteBaseUrl.back(), '/');
}

TEST(SitePages, TheBuildDefaultHostIsTheExampleHost) {
    if (host != "www.example.com") GTEST_SKIP() << "built with SITE_HOST=" << host;
    EXPECT_EQ(sitePageAddress(SitePage::gameGuides), "http://www.example.com/forum.php?gid=39");
}

TEST(SitePages, AnUnknownPageLeadsToTheSiteItself) {
    EXPECT_EQ(sitePageAddress(static_cast<SitePage>(7)), siteBaseUrl);
    EXPECT_EQ(sitePageAddress(static_cast<SitePage>(-1)), siteBaseUrl);
}

}  // namespace
