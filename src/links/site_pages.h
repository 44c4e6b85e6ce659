#pragma once
// The maker's web site: its base address and the pages that the three link buttons open.

#include <string>
#include <string_view>

// "http://" and the host set at build time, no path and no trailing "/".
extern const std::string_view siteBaseUrl;

// The host alone, as the window title and the banner end with it.
std::string_view siteHost();

enum class SitePage { moreTools, gameGuides, officialForum };

// The page's full address: siteBaseUrl followed by its path, byte for byte. A value outside the
// enum gives siteBaseUrl alone, which still leads to the site.
std::string sitePageAddress(SitePage page);
