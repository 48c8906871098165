// Two players beyond one local network: Start asks for the other computer's address in a small
// dialog and looks for the game's session there alone. The window never waits for the name
// server or the search: both run while the dialog answers, and Esc or "Abbrechen" ends them.

#include "GameSession.h"
#include "Haupt.h"
#include "game/rules/StoredAddress.h"
#include "platform/dplay/DirectPlayAddress.h"
#include "platform/win/Clock.h"

namespace {

// How long a search waits for the other computer to answer.
constexpr std::uint64_t AddressSearchMilliseconds = 5000;
// An address longer than this is shortened in the status line.
constexpr std::size_t ShownAddressLength = 40;
// Room left free at the right of the status line.
constexpr std::int32_t StatusMargin = 6;

const std::string AddressHint =
    "Leer lassen, um selbst ein Spiel zu er\xF6"
    "ffnen.";

// The address in German quotation marks, shortened where it would not fit.
std::string Quoted(const std::string& Address) {
  const std::string shown =
      Address.size() > ShownAddressLength ? Address.substr(0, ShownAddressLength) + "\x85" : Address;
  return "\x84" + shown + "\x93";
}

std::string Trimmed(const std::string& Text) {
  const std::size_t first = Text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool TForm1::ConnectionTakesAddress() const {
  const TVXGNetworkDriverList& drivers = Net.Network->Drivers();
  const int index = lbd->ItemIndex();
  return index >= 0 && index < drivers.Count() && drivers.GetDriver(index).ServiceProvider == DPSPGUID_ADDRESS;
}

// False when the start goes no further: the player cancelled or nothing was found there, and
// lStatus says which. An empty address opens a session here, with Found left empty.
bool TForm1::SessionAtAddress(std::optional<GUID>& Found) {
  OpenAddressDialog();
  const bool confirmed = AwaitAddressAnswer();
  const std::string address = Trimmed(eAdresse->Text());
  bool go = false;
  if (!confirmed) {
    lStatus->SetCaption("abgebrochen");
  } else if (address.empty()) {
    go = true;
  } else {
    SaveStoredAddress(AddressFileName, address);
    go = SearchAddress(address, Found);
  }
  CloseAddressDialog();
  return go;
}

void TForm1::OpenAddressDialog() {
  addressAnswer_ = DialogAnswer::Open;
  eAdresse->SetText(LoadStoredAddress(AddressFileName));
  eAdresse->SetEnabled(true);
  bAdresseOK->SetEnabled(true);
  lAdresseHinweis->SetCaption(AddressHint);
  pAdresse->SetVisible(true);
  SetModalControl(pAdresse);
  bAdresseOK->SetDefault(true);
  bAdresseAbbrechen->SetCancel(true);
  eAdresse->SetFocus();
  eAdresse->SelectAll();
}

bool TForm1::AwaitAddressAnswer() {
  while (addressAnswer_ == DialogAnswer::Open && !Application().Terminated()) LetMessagesRun();
  return addressAnswer_ == DialogAnswer::Ok && !Application().Terminated();
}

// A side that typed an address never opens a session of its own: whatever goes wrong, it stays
// on the start screen and lStatus says why.
bool TForm1::SearchAddress(const std::string& Address, std::optional<GUID>& Found) {
  eAdresse->SetEnabled(false);
  bAdresseOK->SetEnabled(false);
  bAdresseAbbrechen->SetFocus();
  lAdresseHinweis->SetCaption("Suche das Spiel unter " + Quoted(Address) + " \x85");
  Net.Network->SetSessionAddress(Address);
  const std::uint64_t deadline = GetTickCount64() + AddressSearchMilliseconds;
  for (;;) {
    LetMessagesRun();
    if (addressAnswer_ == DialogAnswer::Cancel || Application().Terminated()) {
      lStatus->SetCaption("Suche abgebrochen");
      return false;
    }
    const TVXGAddressState state = Net.Network->SessionAddressState();
    if (state == TVXGAddressState::Invalid) {
      lStatus->SetCaption(Quoted(Address) + " ist keine g\xFCltige Adresse.");
      return false;
    }
    const bool late = GetTickCount64() >= deadline;
    if (state == TVXGAddressState::Unknown || (late && state == TVXGAddressState::Resolving)) {
      lStatus->SetCaption("Den Computer " + Quoted(Address) + " gibt es nicht.");
      return false;
    }
    Net.Network->RefreshSessions(GUID{}, -1);
    if ((Found = GameSession(*Net.Network))) return true;
    if (late) {
      lStatus->SetCaption("Unter " + Quoted(Address) + " wartet kein Spiel.");
      return false;
    }
  }
}

void TForm1::CloseAddressDialog() {
  SetModalControl(nullptr);
  pAdresse->SetVisible(false);
  bAdresseAbbrechen->SetCancel(false);
  Button1->SetDefault(true);
  if (!ActiveControl()) Button2->SetFocus();
}

// The host's own addresses beside the waiting text, as many as fit, so that its player can tell
// them to the other.
std::string TForm1::WithOwnAddresses(const std::string& Status) const {
  std::string addresses = Net.ShownAddresses;
  const std::int32_t room = lStatus->Parent()->Width() - lStatus->Left() - StatusMargin;
  const auto shown = [&] { return Status + ", Adresse " + addresses; };
  for (std::size_t last = addresses.rfind(", ");
       last != std::string::npos && platform::TextExtent(shown(), lStatus->Font()).cx > room;
       last = addresses.rfind(", "))
    addresses.erase(last);
  return shown();
}
