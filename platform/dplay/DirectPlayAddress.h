#pragma once
// An interface of ours beside DirectPlay's own, for the connection that finds a session at one
// address instead of by broadcast: across routed networks and VPNs, where no broadcast goes. The
// game says where to look; the name is resolved in the background, so that nothing waits for it.

#include "DPlay.h"

// The service provider of that connection, as EnumConnections reports it.
inline constexpr GUID DPSPGUID_ADDRESS = {0x8D3B6F20, 0x4C71, 0x4E5A, {0xB2, 0x9E, 0x61, 0x0F, 0x37, 0xC4, 0xA8, 0x15}};

inline constexpr IID IID_IDirectPlayAddress = {
    0x2F6E1C83, 0x9A47, 0x4B1D, {0x8C, 0x05, 0xE3, 0x72, 0x1B, 0x9D, 0x46, 0xF0}};

// Where the resolution of the session address stands.
inline constexpr DWORD DPADDRESS_NONE = 0;       // none given, or another connection
inline constexpr DWORD DPADDRESS_RESOLVING = 1;  // the name is being looked up
inline constexpr DWORD DPADDRESS_RESOLVED = 2;   // EnumSessions asks there
inline constexpr DWORD DPADDRESS_UNKNOWN = 3;    // no IPv4 address has that name
inline constexpr DWORD DPADDRESS_INVALID = 4;    // not a host name or IPv4 address with an optional ":port"

class IDirectPlayAddress : public IUnknown {
 public:
  // Where EnumSessions asks from now on: a host name or IPv4 address (Windows-1252), optionally
  // followed by ":port" for a host that is reached through one forwarded port; without one, every
  // query port. DPERR_UNSUPPORTED on a connection that searches by broadcast.
  virtual HRESULT SetSessionAddress(const char* address) = 0;
  virtual HRESULT GetSessionAddressState(DWORD* state) = 0;
  // This computer's IPv4 addresses that another computer may reach, ", " between them, with a
  // terminating zero; DPERR_BUFFERTOOSMALL with Size set to what it needs when Buffer is too small.
  virtual HRESULT GetOwnAddresses(char* buffer, DWORD* size) = 0;

 protected:
  IDirectPlayAddress() = default;
  ~IDirectPlayAddress() = default;
};
