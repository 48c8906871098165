#pragma once
// The address last typed for a game by address, offered again at the next one. It has a file of
// its own beside "dat.dat", whose layout stays as it is: one line of text.

#include <string>

inline const std::string AddressFileName = "adresse.txt";
// The longest address kept: a host name of 253 characters, a colon and a port.
inline constexpr std::size_t MaxAddressLength = 259;

// The first line of the file, cut to MaxAddressLength; empty when there is no such file.
std::string LoadStoredAddress(const std::string& FileName);
// Failures are silent, as those of "dat.dat" are: the file stays as it was.
void SaveStoredAddress(const std::string& FileName, const std::string& Address);
