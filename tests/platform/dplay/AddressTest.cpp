// The connection that finds a session at one address, as across routed networks where no
// broadcast goes: it asks that computer alone, at every query port or at the one typed, and tells
// a typing error from a name that nobody knows.

#include <gtest/gtest.h>

#include "DirectPlayTestSupport.h"
#include "platform/dplay/DirectPlayAddress.h"

namespace dplay_test {
namespace {

using namespace std::chrono_literals;

constexpr int ByAddress = 2;

class AddressTest : public OwnPortsTest {
 protected:
  static ComPtr<IDirectPlayAddress> AddressOf(IDirectPlay3A& directPlay) {
    ComPtr<IDirectPlayAddress> address;
    EXPECT_EQ(directPlay.QueryInterface(IID_IDirectPlayAddress, address.PutVoid()), DP_OK);
    return address;
  }

  static DWORD StateAfter(IDirectPlayAddress& address, const char* typed) {
    EXPECT_EQ(address.SetSessionAddress(typed), DP_OK) << typed;
    DWORD state = DPADDRESS_NONE;
    EXPECT_EQ(address.GetSessionAddressState(&state), DP_OK);
    return state;
  }

  // The asynchronous search a game runs while its window goes on, until a session answers.
  static std::vector<FoundSession> SearchAt(IDirectPlay3A& directPlay, const std::string& typed,
                                            std::chrono::milliseconds limit = 3s) {
    EXPECT_EQ(AddressOf(directPlay)->SetSessionAddress(typed.c_str()), DP_OK);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<FoundSession> found;
    while (found.empty() && std::chrono::steady_clock::now() < deadline) {
      found = FindSessions(directPlay, 0, DPENUMSESSIONS_ASYNC);
      std::this_thread::sleep_for(20ms);
    }
    return found;
  }
};

TEST_F(AddressTest, AHostIsFoundAndJoinedAtItsAddressAndAtItsOwnPortOnly) {
  ComPtr<IDirectPlay3A> host = Connected(ByAddress);
  ASSERT_EQ(HostSession(*host.Get(), "Veltranzik10", 4), DP_OK);
  NewPlayer(*host.Get(), "Anna");
  ComPtr<IDirectPlay3A> other = Connected(ThisComputer);
  ASSERT_EQ(HostSession(*other.Get(), "Anderswo", 4), DP_OK);  // takes the next query port

  ComPtr<IDirectPlay3A> guest = Connected(ByAddress);
  std::vector<FoundSession> found = SearchAt(*guest.Get(), " 127.0.0.1 ");
  ASSERT_FALSE(found.empty()) << "every query port of the address is asked";
  found = SearchAt(*guest.Get(), "localhost:" + std::to_string(ports + 1));
  ASSERT_EQ(found.size(), 1u) << "only the port typed is asked";
  EXPECT_EQ(found[0].name, "Anderswo");
  found = SearchAt(*guest.Get(), "127.0.0.1:" + std::to_string(ports));
  ASSERT_EQ(found.size(), 1u);
  ASSERT_EQ(found[0].name, "Veltranzik10");
  ASSERT_EQ(JoinSession(*guest.Get(), found[0].description.guidInstance), DP_OK);
  NewPlayer(*guest.Get(), "Bernd");
  EXPECT_EQ(ListPlayers(*host.Get()).size(), 2u);
  EXPECT_TRUE(SearchAt(*guest.Get(), "127.0.0.1:" + std::to_string(ports + 2), 600ms).empty())
      << "nothing answers where nothing listens";
}

TEST_F(AddressTest, WhatIsNoAddressIsToldAtOnceAndOtherConnectionsTakeNone) {
  ComPtr<IDirectPlay3A> directPlay = Connected(ByAddress);
  ComPtr<IDirectPlayAddress> address = AddressOf(*directPlay.Get());
  DWORD state = 99;
  ASSERT_EQ(address->GetSessionAddressState(&state), DP_OK);
  EXPECT_EQ(state, DPADDRESS_NONE);
  for (const char* typed : {"", "   ", "10.0.0.1:", "10.0.0.1:0", "10.0.0.1:65536", "10.0.0.1:80x", "fe80::1",
                            "spiel platz", "-host", "gr\xFCn.example", "a:1:2"})
    EXPECT_EQ(StateAfter(*address.Get(), typed), DPADDRESS_INVALID) << typed;
  EXPECT_EQ(StateAfter(*address.Get(), "192.0.2.7:24710"), DPADDRESS_RESOLVED);
  EXPECT_EQ(address->SetSessionAddress(nullptr), DPERR_INVALIDPARAMS);

  ComPtr<IDirectPlay3A> local = Connected(ThisComputer);
  EXPECT_EQ(AddressOf(*local.Get())->SetSessionAddress("127.0.0.1"), DPERR_UNSUPPORTED);

  // This computer's own addresses, for another to type: never loopback.
  DWORD size = 0;
  ASSERT_EQ(address->GetOwnAddresses(nullptr, &size), DPERR_BUFFERTOOSMALL);
  std::string own(size, '\0');
  ASSERT_EQ(address->GetOwnAddresses(own.data(), &size), DP_OK);
  EXPECT_EQ(own.find("127."), std::string::npos) << own;
}

}  // namespace
}  // namespace dplay_test
