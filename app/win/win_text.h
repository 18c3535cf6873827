#pragma once

#include <windows.h>

#include <string>

namespace zelvo {

std::wstring WidenWithSystemCodePage(const std::string& text);

}  // namespace zelvo
