#include "StoredAddress.h"

#include <array>
#include <cstdint>

#include "platform/win/FileStore.h"

std::string LoadStoredAddress(const std::string& FileName) {
  std::array<std::uint8_t, MaxAddressLength + 1> bytes{};
  std::size_t read = 0;
  if (!platform::ReadFileStart(FileName, bytes, read)) return {};
  std::string address(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(read));
  address = address.substr(0, address.find_first_of("\r\n"));
  return address.substr(0, MaxAddressLength);
}

void SaveStoredAddress(const std::string& FileName, const std::string& Address) {
  const std::string line = Address.substr(0, MaxAddressLength) + "\n";
  platform::ReplaceFile(FileName, {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
}
