#pragma once
// The network object: DirectPlay's connections, sessions, players and raw messages, with every
// platform failure raised as EVXGNetworkError.

#include <cstdint>
#include <memory>
#include <string>

#include "lib/network/VXGNetworkLists.h"
#include "platform/dplay/DPlay.h"
#include "platform/dplay/DirectPlayAddress.h"

// Where the search at a typed address stands.
enum class TVXGAddressState { None, Resolving, Resolved, Unknown, Invalid };

class TVXGNetwork final : public TVXGNetworkObject {
 public:
  // Creates the DirectPlay object and lists its connections.
  TVXGNetwork();
  // Frees the player, session and connection lists, then releases DirectPlay.
  ~TVXGNetwork() override;

  // Replaces the DirectPlay object by a new one.
  void CreateNetwork();
  // A new DirectPlay object on connection Index of Drivers().
  void AssignDriver(int Index);
  // Timeout in milliseconds; below 0, what an asynchronous search has found so far.
  void RefreshSessions(const GUID& ApplicationGUID, std::int32_t Timeout);
  void CreateSession(const std::string& Name, const GUID& ApplicationGUID, std::int32_t MaxPlayers);
  void JoinSession(const GUID& InstanceGUID);
  void LeaveSession();
  // The all-zero GUID lists the open session's players.
  void RefreshPlayers(const GUID& SessionGUID);
  std::uint32_t CreatePlayer(const std::string& Name);
  // ToID 0 sends to every other player.
  void Send(std::uint32_t FromID, std::uint32_t ToID, const void* Data, std::uint32_t Size);
  // Polls once. True when a message was delivered, and also when Data is too small for it: then Size
  // holds the size it needs and the message waits. False when none waits. System messages come from 0.
  bool Receive(std::uint32_t& FromID, std::uint32_t& ToID, void* Data, std::uint32_t& Size);
  // Returns when a new message arrives, at the latest after Timeout milliseconds: a wait for the
  // other player that sleeps instead of polling. Where the connection cannot wait, a millisecond passes.
  void WaitForMessage(std::int32_t Timeout);

  // On the connection that searches one address (service provider DPSPGUID_ADDRESS): where the
  // sessions are asked for from now on, a host name or IPv4 address with an optional ":port".
  void SetSessionAddress(const std::string& Address);
  TVXGAddressState SessionAddressState() const;
  // This computer's addresses for another to type, ", " between them; empty where none is known.
  std::string OwnAddresses() const;

  IDirectPlay3A* DirectPlay() const { return directPlay_.Get(); }
  const TVXGNetworkDriverList& Drivers() const { return *drivers_; }
  // Absent until refreshed, and after a refresh whose enumeration failed.
  const TVXGPlayerList* Players() const { return players_.get(); }
  const TVXGSessionList* Sessions() const { return sessions_.get(); }

 private:
  void Check(const char* Operation, HRESULT Result) const;
  ComPtr<IDirectPlayAddress> AddressInterface(const char* Operation) const;

  ComPtr<IDirectPlay3A> directPlay_;
  std::unique_ptr<TVXGNetworkDriverList> drivers_;
  std::unique_ptr<TVXGPlayerList> players_;
  std::unique_ptr<TVXGSessionList> sessions_;
};
