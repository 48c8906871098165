#pragma once
// The network service as the game library sees it: DirectPlay's interface, records, flags and
// result codes, served on Linux over ENet (sessions) and plain UDP (finding sessions).

#include "platform/win/Unknown.h"

using DPID = DWORD;

constexpr HRESULT MAKE_DPHRESULT(std::uint32_t code) { return MakeResult(0x88770000u + code); }

inline constexpr HRESULT DP_OK = S_OK;
inline constexpr HRESULT DPERR_ALREADYINITIALIZED = MAKE_DPHRESULT(5);
inline constexpr HRESULT DPERR_ACCESSDENIED = MAKE_DPHRESULT(10);
inline constexpr HRESULT DPERR_ACTIVEPLAYERS = MAKE_DPHRESULT(20);
inline constexpr HRESULT DPERR_BUFFERTOOSMALL = MAKE_DPHRESULT(30);
inline constexpr HRESULT DPERR_CANTADDPLAYER = MAKE_DPHRESULT(40);
inline constexpr HRESULT DPERR_CANTCREATEGROUP = MAKE_DPHRESULT(50);
inline constexpr HRESULT DPERR_CANTCREATEPLAYER = MAKE_DPHRESULT(60);
inline constexpr HRESULT DPERR_CANTCREATESESSION = MAKE_DPHRESULT(70);
inline constexpr HRESULT DPERR_CAPSNOTAVAILABLEYET = MAKE_DPHRESULT(80);
inline constexpr HRESULT DPERR_EXCEPTION = MAKE_DPHRESULT(90);
inline constexpr HRESULT DPERR_GENERIC = E_FAIL;
inline constexpr HRESULT DPERR_INVALIDFLAGS = MAKE_DPHRESULT(120);
inline constexpr HRESULT DPERR_INVALIDOBJECT = MAKE_DPHRESULT(130);
inline constexpr HRESULT DPERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HRESULT DPERR_INVALIDPLAYER = MAKE_DPHRESULT(150);
inline constexpr HRESULT DPERR_NOCAPS = MAKE_DPHRESULT(160);
inline constexpr HRESULT DPERR_NOCONNECTION = MAKE_DPHRESULT(170);
inline constexpr HRESULT DPERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DPERR_NOMESSAGES = MAKE_DPHRESULT(190);
inline constexpr HRESULT DPERR_NONAMESERVERFOUND = MAKE_DPHRESULT(200);
inline constexpr HRESULT DPERR_NOPLAYERS = MAKE_DPHRESULT(210);
inline constexpr HRESULT DPERR_NOSESSIONS = MAKE_DPHRESULT(220);
inline constexpr HRESULT DPERR_SENDTOOBIG = MAKE_DPHRESULT(230);
inline constexpr HRESULT DPERR_TIMEOUT = MAKE_DPHRESULT(240);
inline constexpr HRESULT DPERR_UNAVAILABLE = MAKE_DPHRESULT(250);
inline constexpr HRESULT DPERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DPERR_BUSY = MAKE_DPHRESULT(270);
inline constexpr HRESULT DPERR_USERCANCEL = MAKE_DPHRESULT(280);
inline constexpr HRESULT DPERR_NOINTERFACE = E_NOINTERFACE;
inline constexpr HRESULT DPERR_CANNOTCREATESERVER = MAKE_DPHRESULT(290);
inline constexpr HRESULT DPERR_PLAYERLOST = MAKE_DPHRESULT(300);
inline constexpr HRESULT DPERR_SESSIONLOST = MAKE_DPHRESULT(310);
inline constexpr HRESULT DPERR_UNINITIALIZED = MAKE_DPHRESULT(320);
inline constexpr HRESULT DPERR_NONEWPLAYERS = MAKE_DPHRESULT(330);
inline constexpr HRESULT DPERR_INVALIDPASSWORD = MAKE_DPHRESULT(340);
inline constexpr HRESULT DPERR_BUFFERTOOLARGE = MAKE_DPHRESULT(1000);
inline constexpr HRESULT DPERR_CANTCREATEPROCESS = MAKE_DPHRESULT(1010);
inline constexpr HRESULT DPERR_APPNOTSTARTED = MAKE_DPHRESULT(1020);
inline constexpr HRESULT DPERR_INVALIDINTERFACE = MAKE_DPHRESULT(1030);
inline constexpr HRESULT DPERR_NOSERVICEPROVIDER = MAKE_DPHRESULT(1040);
inline constexpr HRESULT DPERR_UNKNOWNAPPLICATION = MAKE_DPHRESULT(1050);
inline constexpr HRESULT DPERR_AUTHENTICATIONFAILED = MAKE_DPHRESULT(2000);
inline constexpr HRESULT DPERR_CANTLOADSSPI = MAKE_DPHRESULT(2010);
inline constexpr HRESULT DPERR_ENCRYPTIONFAILED = MAKE_DPHRESULT(2020);
inline constexpr HRESULT DPERR_SIGNFAILED = MAKE_DPHRESULT(2030);
inline constexpr HRESULT DPERR_CANTLOADSECURITYPACKAGE = MAKE_DPHRESULT(2040);
inline constexpr HRESULT DPERR_ENCRYPTIONNOTSUPPORTED = MAKE_DPHRESULT(2050);
inline constexpr HRESULT DPERR_CANTLOADCAPI = MAKE_DPHRESULT(2060);
inline constexpr HRESULT DPERR_NOTLOGGEDIN = MAKE_DPHRESULT(2070);
inline constexpr HRESULT DPERR_LOGONDENIED = MAKE_DPHRESULT(2080);

inline constexpr DPID DPID_SYSMSG = 0;
inline constexpr DPID DPID_ALLPLAYERS = 0;
inline constexpr DPID DPID_SERVERPLAYER = 1;
inline constexpr DPID DPID_UNKNOWN = 0xFFFFFFFF;

// Open
inline constexpr DWORD DPOPEN_JOIN = 0x01;
inline constexpr DWORD DPOPEN_CREATE = 0x02;
inline constexpr DWORD DPOPEN_RETURNSTATUS = 0x80;

// DPSESSIONDESC2.dwFlags
inline constexpr DWORD DPSESSION_NEWPLAYERSDISABLED = 0x0001;
inline constexpr DWORD DPSESSION_MIGRATEHOST = 0x0004;
inline constexpr DWORD DPSESSION_JOINDISABLED = 0x0020;
inline constexpr DWORD DPSESSION_KEEPALIVE = 0x0040;

// EnumConnections
inline constexpr DWORD DPCONNECTION_DIRECTPLAY = 0x01;
inline constexpr DWORD DPCONNECTION_DIRECTPLAYLOBBY = 0x02;

// EnumSessions and its callback
inline constexpr DWORD DPENUMSESSIONS_AVAILABLE = 0x01;
inline constexpr DWORD DPENUMSESSIONS_ALL = 0x02;
inline constexpr DWORD DPENUMSESSIONS_ASYNC = 0x10;
inline constexpr DWORD DPENUMSESSIONS_STOPASYNC = 0x20;
inline constexpr DWORD DPENUMSESSIONS_PASSWORDREQUIRED = 0x40;
inline constexpr DWORD DPENUMSESSIONS_RETURNSTATUS = 0x80;
inline constexpr DWORD DPESC_TIMEDOUT = 0x01;

// EnumPlayers and its callback
inline constexpr DWORD DPENUMPLAYERS_ALL = 0x0000;
inline constexpr DWORD DPENUMPLAYERS_LOCAL = 0x0008;
inline constexpr DWORD DPENUMPLAYERS_REMOTE = 0x0010;
inline constexpr DWORD DPENUMPLAYERS_GROUP = 0x0020;
inline constexpr DWORD DPENUMPLAYERS_SESSION = 0x0080;
inline constexpr DWORD DPPLAYERTYPE_GROUP = 0;
inline constexpr DWORD DPPLAYERTYPE_PLAYER = 1;

// Receive and Send
inline constexpr DWORD DPRECEIVE_ALL = 0x01;
inline constexpr DWORD DPRECEIVE_TOPLAYER = 0x02;
inline constexpr DWORD DPRECEIVE_FROMPLAYER = 0x04;
inline constexpr DWORD DPRECEIVE_PEEK = 0x08;
inline constexpr DWORD DPSEND_GUARANTEED = 0x01;

// System messages, delivered by Receive from DPID_SYSMSG
inline constexpr DWORD DPSYS_CREATEPLAYERORGROUP = 0x0003;
inline constexpr DWORD DPSYS_DESTROYPLAYERORGROUP = 0x0005;
inline constexpr DWORD DPSYS_SESSIONLOST = 0x0031;

struct DPNAME {
  DWORD dwSize;
  DWORD dwFlags;
  char* lpszShortNameA;
  char* lpszLongNameA;
};

struct DPSESSIONDESC2 {
  DWORD dwSize;
  DWORD dwFlags;
  GUID guidInstance;
  GUID guidApplication;  // all zero: every application
  DWORD dwMaxPlayers;
  DWORD dwCurrentPlayers;
  char* lpszSessionNameA;
  char* lpszPasswordA;
  DWORD dwReserved1;
  DWORD dwReserved2;
  DWORD dwUser1;
  DWORD dwUser2;
  DWORD dwUser3;
  DWORD dwUser4;
};

struct DPMSG_GENERIC {
  DWORD dwType;
};
using DPMSG_SESSIONLOST = DPMSG_GENERIC;

struct DPMSG_CREATEPLAYERORGROUP {
  DWORD dwType;
  DWORD dwPlayerType;
  DPID dpId;
  DWORD dwCurrentPlayers;
  LPVOID lpData;
  DWORD dwDataSize;
  DPNAME dpnName;
  DPID dpIdParent;
  DWORD dwFlags;
};

struct DPMSG_DESTROYPLAYERORGROUP {
  DWORD dwType;
  DWORD dwPlayerType;
  DPID dpId;
  LPVOID lpLocalData;
  DWORD dwLocalDataSize;
  LPVOID lpRemoteData;
  DWORD dwRemoteDataSize;
  DPNAME dpnName;
  DPID dpIdParent;
  DWORD dwFlags;
};

using LPDPENUMCONNECTIONSCALLBACK = BOOL (*)(const GUID* serviceProvider, LPVOID connection, DWORD connectionSize,
                                             const DPNAME* name, DWORD flags, LPVOID context);
using LPDPENUMSESSIONSCALLBACK2 = BOOL (*)(const DPSESSIONDESC2* session, DWORD* timeout, DWORD flags, LPVOID context);
using LPDPENUMPLAYERSCALLBACK2 = BOOL (*)(DPID player, DWORD playerType, const DPNAME* name, DWORD flags,
                                          LPVOID context);

inline constexpr GUID CLSID_DirectPlay = {0xD1EB6D20, 0x8923, 0x11D0, {0x9D, 0x97, 0x00, 0xA0, 0xC9, 0x0A, 0x43, 0xCB}};
inline constexpr IID IID_IDirectPlay3A = {0x133EFE41, 0x32DC, 0x11D0, {0x9C, 0xFB, 0x00, 0xA0, 0xC9, 0x0A, 0x43, 0xCB}};
inline constexpr GUID DPSPGUID_TCPIP = {0x36E95EE0, 0x8577, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0x53, 0x4E, 0x82}};

// The methods of IDirectPlay3A that the library calls, in the order of the original.
class IDirectPlay3A : public IUnknown {
 public:
  virtual HRESULT Close() = 0;
  virtual HRESULT CreatePlayer(DPID* player, DPNAME* name, HANDLE event, LPVOID data, DWORD dataSize, DWORD flags) = 0;
  virtual HRESULT EnumPlayers(GUID* instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags) = 0;
  virtual HRESULT EnumSessions(DPSESSIONDESC2* description, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback,
                               LPVOID context, DWORD flags) = 0;
  virtual HRESULT Open(DPSESSIONDESC2* description, DWORD flags) = 0;
  virtual HRESULT Receive(DPID* from, DPID* to, DWORD flags, LPVOID data, DWORD* dataSize) = 0;
  virtual HRESULT Send(DPID from, DPID to, DWORD flags, LPVOID data, DWORD dataSize) = 0;
  virtual HRESULT EnumConnections(const GUID* application, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context,
                                  DWORD flags) = 0;
  virtual HRESULT InitializeConnection(LPVOID connection, DWORD flags) = 0;
};
