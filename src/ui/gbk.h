#pragma once
// The one boundary between the core's GBK bytes and the wide Win32 API. Code page 936 is named
// explicitly so that the window reads the same on a Windows of any language.

#include <string>
#include <string_view>

std::wstring fromGbk(std::string_view gbk);
std::string toGbk(std::wstring_view wide);
