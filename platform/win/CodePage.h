#pragma once
// Strings inside the game are bytes of the Windows Western code page (Windows-1252). The platform
// converts them where they meet the host: file names, text drawing, text input.

#include <string>
#include <string_view>

// The Unicode code point of one Windows-1252 byte; the five unassigned bytes map to themselves.
char32_t Cp1252ToUnicode(unsigned char byte);

std::string Cp1252ToUtf8(std::string_view text);

// Text typed or given as UTF-8, as Windows-1252 bytes: characters the code page lacks and broken
// sequences are dropped.
std::string Utf8ToCp1252(std::string_view utf8);

// The host path of a file name as the game writes it: "\" separates folders, bytes are Windows-1252.
std::string HostPath(std::string_view windowsName);
