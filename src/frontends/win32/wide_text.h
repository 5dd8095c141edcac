#pragma once

#include <string>
#include <string_view>

namespace zembrati::win32 {

// Text inside the system is UTF-8; Windows speaks UTF-16.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace zembrati::win32
