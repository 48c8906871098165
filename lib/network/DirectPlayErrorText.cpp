#include "lib/network/VXGNetworkError.h"
#include "platform/dplay/DPlay.h"

std::string DirectPlayErrorText(std::int32_t Code) {
  switch (Code) {
    case DPERR_ALREADYINITIALIZED:
      return "This object is already initialized.";
    case DPERR_ACCESSDENIED:
      return "The session is full or the password is wrong.";
    case DPERR_ACTIVEPLAYERS:
      return "The operation cannot be done while there are active players in the session.";
    case DPERR_BUFFERTOOSMALL:
      return "The supplied buffer is too small to hold the data.";
    case DPERR_CANTADDPLAYER:
      return "The player cannot be added to the session.";
    case DPERR_CANTCREATEGROUP:
      return "A new group cannot be created.";
    case DPERR_CANTCREATEPLAYER:
      return "A new player cannot be created.";
    case DPERR_CANTCREATESESSION:
      return "A new session cannot be created.";
    case DPERR_CAPSNOTAVAILABLEYET:
      return "The capabilities of the DirectPlay object are not known yet.";
    case DPERR_EXCEPTION:
      return "An exception occurred while the request was processed.";
    case DPERR_GENERIC:
      return "An undefined error occurred.";
    case DPERR_INVALIDFLAGS:
      return "The flags passed to the method are invalid.";
    case DPERR_INVALIDOBJECT:
      return "The DirectPlay object pointer is invalid.";
    case DPERR_INVALIDPARAMS:
      return "One or more of the parameters passed to the method are invalid.";
    case DPERR_INVALIDPLAYER:
      return "The player ID is not recognized as a valid player ID for this session.";
    case DPERR_NOCAPS:
      return "The communication link below DirectPlay is not capable of this function.";
    case DPERR_NOCONNECTION:
      return "No communication link was established.";
    case DPERR_OUTOFMEMORY:
      return "There is not enough memory to perform the requested operation.";
    case DPERR_NOMESSAGES:
      return "There are no messages in the receive queue.";
    case DPERR_NONAMESERVERFOUND:
      return "No name server (host) could be found or created.";
    case DPERR_NOPLAYERS:
      return "There are no active players in the session.";
    case DPERR_NOSESSIONS:
      return "There are no existing sessions for this game.";
    case DPERR_SENDTOOBIG:
      return "The message being sent is too large.";
    case DPERR_TIMEOUT:
      return "The operation could not be completed in the specified time.";
    case DPERR_UNAVAILABLE:
      return "The requested function is not available at this time.";
    case DPERR_UNSUPPORTED:
      return "The function is not available in this implementation.";
    case DPERR_BUSY:
      return "A message cannot be sent because the transmission medium is busy.";
    case DPERR_USERCANCEL:
      return "The user cancelled the connection process during a call to Open.";
    case DPERR_NOINTERFACE:
      return "The interface is not supported.";
    case DPERR_CANNOTCREATESERVER:
      return "The server cannot be created for the new session.";
    case DPERR_PLAYERLOST:
      return "A player has lost the connection to the session.";
    case DPERR_SESSIONLOST:
      return "The connection to the session has been lost.";
    case DPERR_UNINITIALIZED:
      return "The requested object has not been initialized.";
    case DPERR_NONEWPLAYERS:
      return "The session is not accepting any new players.";
    case DPERR_INVALIDPASSWORD:
      return "An invalid password was supplied when attempting to join a session that requires a password.";
    case CLASS_E_NOAGGREGATION:
      return "The object does not support aggregation.";
    case DPERR_BUFFERTOOLARGE:
      return "The data buffer is too large to store.";
    case DPERR_CANTCREATEPROCESS:
      return "The application cannot be started.";
    case DPERR_APPNOTSTARTED:
      return "The application has not been started yet.";
    case DPERR_INVALIDINTERFACE:
      return "The interface parameter is invalid.";
    case DPERR_NOSERVICEPROVIDER:
      return "The service provider does not exist.";
    case DPERR_UNKNOWNAPPLICATION:
      return "The application is not known to the lobby.";
    case DPERR_AUTHENTICATIONFAILED:
      return "The password or other credentials could not be authenticated.";
    case DPERR_CANTLOADSSPI:
      return "No security support provider interface could be loaded for the secure session.";
    case DPERR_ENCRYPTIONFAILED:
      return "The message could not be encrypted.";
    case DPERR_SIGNFAILED:
      return "The message could not be signed.";
    case DPERR_CANTLOADSECURITYPACKAGE:
      return "The security package could not be loaded.";
    case DPERR_ENCRYPTIONNOTSUPPORTED:
      return "The type of encryption requested is not supported by the session.";
    case DPERR_CANTLOADCAPI:
      return "No cryptographic application programming interface could be loaded.";
    case DPERR_NOTLOGGEDIN:
      return "A secure session requires logging in, and no credentials were supplied.";
    case DPERR_LOGONDENIED:
      return "The logon was denied: the credentials were not accepted.";
    default:
      return "Unrecognized Error";
  }
}
