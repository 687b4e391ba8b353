// Code-page conversion used inside the stand-in (window texts kept in the
// ANSI code page, dialog templates in UTF-16, dumps in UTF-8).
#pragma once

#include <string>
#include <string_view>

#include "WinDef.h"

namespace winsim {

// The ANSI code page of the process: WINSIM_ACP, 65001 when unset.
UINT AnsiCodePage();
// Forget the cached value (tests change WINSIM_ACP).
void ResetAnsiCodePage();

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);
std::string AnsiToUtf8(std::string_view text);

}  // namespace winsim
