#pragma once

#include <string>

// Asks the shell to open the address in the user's default web browser. The shell's answer is
// thrown away: a page that cannot be opened is not reported, and nothing is retried.
void openSitePage(const std::string& address) noexcept;
