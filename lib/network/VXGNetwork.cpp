#include "lib/network/VXGNetwork.h"

#include "platform/dplay/Com.h"
#include "platform/dplay/DirectPlayWait.h"
#include "platform/win/Clock.h"

namespace {

// COM is initialised once on every thread that creates a network object, and left at its end.
class ComApartment {
 public:
  ComApartment() { CoInitialize(nullptr); }
  ~ComApartment() { CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

void EnterComApartment() { thread_local const ComApartment apartment; }

}  // namespace

TVXGNetwork::TVXGNetwork() {
  CreateNetwork();
  drivers_ = std::make_unique<TVXGNetworkDriverList>(*this);
}

TVXGNetwork::~TVXGNetwork() {
  players_.reset();
  sessions_.reset();
  drivers_.reset();
  directPlay_.Reset();
}

void TVXGNetwork::Check(const char* Operation, HRESULT Result) const {
  CheckResult<EVXGNetworkError>(*this, Operation, Result);
}

// The old object goes only once the new one exists, so that a failure leaves a usable network.
void TVXGNetwork::CreateNetwork() {
  EnterComApartment();
  ComPtr<IDirectPlay3A> created;
  Check("CreateNetwork",
        CoCreateInstance(CLSID_DirectPlay, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectPlay3A, created.PutVoid()));
  directPlay_ = std::move(created);
}

void TVXGNetwork::AssignDriver(int Index) {
  CreateNetwork();
  const TVXGNetworkDriver driver = drivers_->GetDriver(Index);
  Check("AssignDriver", directPlay_->InitializeConnection(driver.Connection, 0));
}

void TVXGNetwork::RefreshSessions(const GUID& ApplicationGUID, std::int32_t Timeout) {
  sessions_.reset();
  sessions_ = std::make_unique<TVXGSessionList>(*this, ApplicationGUID, Timeout);
}

void TVXGNetwork::CreateSession(const std::string& Name, const GUID& ApplicationGUID, std::int32_t MaxPlayers) {
  std::string name = Name;
  DPSESSIONDESC2 description;
  ClearSized(description);
  description.dwFlags = DPSESSION_MIGRATEHOST | DPSESSION_KEEPALIVE;
  description.guidApplication = ApplicationGUID;
  description.dwMaxPlayers = static_cast<DWORD>(MaxPlayers);
  description.lpszSessionNameA = name.data();
  Check("CreateSession", directPlay_->Open(&description, DPOPEN_CREATE));
}

void TVXGNetwork::JoinSession(const GUID& InstanceGUID) {
  DPSESSIONDESC2 description;
  ClearSized(description);
  description.guidInstance = InstanceGUID;
  Check("JoinSession", directPlay_->Open(&description, DPOPEN_JOIN));
}

void TVXGNetwork::LeaveSession() { Check("LeaveSession", directPlay_->Close()); }

void TVXGNetwork::RefreshPlayers(const GUID& SessionGUID) {
  players_.reset();
  players_ = std::make_unique<TVXGPlayerList>(*this, SessionGUID);
}

std::uint32_t TVXGNetwork::CreatePlayer(const std::string& Name) {
  std::string name = Name;
  DPNAME playerName;
  ClearSized(playerName);
  playerName.lpszShortNameA = name.data();
  DPID id = 0;
  Check("CreatePlayer", directPlay_->CreatePlayer(&id, &playerName, nullptr, nullptr, 0, 0));
  return id;
}

void TVXGNetwork::Send(std::uint32_t FromID, std::uint32_t ToID, const void* Data, std::uint32_t Size) {
  Check("Send", directPlay_->Send(FromID, ToID, 0, const_cast<void*>(Data), Size));
}

bool TVXGNetwork::Receive(std::uint32_t& FromID, std::uint32_t& ToID, void* Data, std::uint32_t& Size) {
  const HRESULT result = directPlay_->Receive(&FromID, &ToID, 0, Data, &Size);
  if (result == DPERR_NOMESSAGES) return false;
  if (result != DPERR_BUFFERTOOSMALL) Check("Receive", result);
  return true;
}

void TVXGNetwork::WaitForMessage(std::int32_t Timeout) {
  ComPtr<IDirectPlayWait> waiter;
  if (directPlay_ && directPlay_->QueryInterface(IID_IDirectPlayWait, waiter.PutVoid()) == DP_OK) {
    waiter->WaitForMessage(static_cast<DWORD>(Timeout < 0 ? 0 : Timeout));
    return;
  }
  Sleep(1);
}

ComPtr<IDirectPlayAddress> TVXGNetwork::AddressInterface(const char* Operation) const {
  ComPtr<IDirectPlayAddress> address;
  Check(Operation, directPlay_->QueryInterface(IID_IDirectPlayAddress, address.PutVoid()));
  return address;
}

void TVXGNetwork::SetSessionAddress(const std::string& Address) {
  Check("SetSessionAddress", AddressInterface("SetSessionAddress")->SetSessionAddress(Address.c_str()));
}

TVXGAddressState TVXGNetwork::SessionAddressState() const {
  DWORD state = DPADDRESS_NONE;
  Check("GetSessionAddressState", AddressInterface("GetSessionAddressState")->GetSessionAddressState(&state));
  switch (state) {
    case DPADDRESS_RESOLVING:
      return TVXGAddressState::Resolving;
    case DPADDRESS_RESOLVED:
      return TVXGAddressState::Resolved;
    case DPADDRESS_UNKNOWN:
      return TVXGAddressState::Unknown;
    case DPADDRESS_INVALID:
      return TVXGAddressState::Invalid;
    default:
      return TVXGAddressState::None;
  }
}

std::string TVXGNetwork::OwnAddresses() const {
  ComPtr<IDirectPlayAddress> address;
  if (directPlay_->QueryInterface(IID_IDirectPlayAddress, address.PutVoid()) != DP_OK) return {};
  DWORD size = 0;
  if (address->GetOwnAddresses(nullptr, &size) != DPERR_BUFFERTOOSMALL) return {};
  std::string text(size, '\0');
  // An interface that came up in between is left for the next time.
  if (address->GetOwnAddresses(text.data(), &size) != DP_OK) return {};
  text.resize(size > 0 ? size - 1 : 0);
  return text;
}
