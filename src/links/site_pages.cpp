#include "links/site_pages.h"

#include <array>
#include <utility>

#ifndef SITE_HOST
#error "SITE_HOST must name the host of the maker's web site"
#endif

namespace {

constexpr std::string_view scheme = "http://";
constexpr std::string_view host = SITE_HOST;

// Every page address is the base followed directly by a path, so the host must not bring a path,
// a query or a slash of its own.
static_assert(!host.empty() && host.find_first_of("/?# ") == std::string_view::npos,
              "SITE_HOST must be a bare host name");

constexpr std::array<std::pair<SitePage, std::string_view>, 3> pagePaths = {{
    {SitePage::moreTools, "/forum-49-1.html"},    // 更多辅助工具
    {SitePage::gameGuides, "/forum.php?gid=39"},  // 游戏攻略
    {SitePage::officialForum, "/"},               // 官方论坛
}};

}  // namespace

const std::string_view siteBaseUrl = "http://" SITE_HOST;

std::string_view siteHost() {
    return siteBaseUrl.substr(scheme.size());
}

std::string sitePageAddress(SitePage page) {
    for (const auto& [which, path] : pagePaths) {
        if (which == page) return std::string(siteBaseUrl) + std::string(path);
    }
    return std::string(siteBaseUrl);
}
