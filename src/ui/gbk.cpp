#include "ui/gbk.h"

#include <windows.h>

namespace {

constexpr UINT gbkCodePage = 936;

}  // namespace

std::wstring fromGbk(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int bytes = static_cast<int>(gbk.size());
    const int length = MultiByteToWideChar(gbkCodePage, 0, gbk.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(gbkCodePage, 0, gbk.data(), bytes, wide.data(), length);
    return wide;
}

std::string toGbk(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int chars = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(gbkCodePage, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(gbkCodePage, 0, wide.data(), chars, gbk.data(), length, nullptr, nullptr);
    return gbk;
}
