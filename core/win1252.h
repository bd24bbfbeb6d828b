// The codec between the till's Windows-1252 bytes and UTF-8, used only at the
// edges (window, PDF, standard output). Table-driven; bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, so every byte string round-trips.
#pragma once

#include <string>
#include <string_view>

namespace tl {

std::string win1252_to_utf8(std::string_view bytes);
// Characters without a Windows-1252 form become '?'. Malformed UTF-8 bytes
// are taken as Windows-1252 bytes of their own.
std::string utf8_to_win1252(std::string_view utf8);

}  // namespace tl
