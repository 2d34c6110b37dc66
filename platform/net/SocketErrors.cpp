#include "platform/net/SocketErrors.h"

#include <cerrno>
#include <netdb.h>
#include <unordered_map>

namespace net {

namespace {

thread_local int lastError = 0;

const std::unordered_map<int, int>& ErrnoCodes() {
    static const std::unordered_map<int, int> codes = {
        {EINTR, WSAEINTR},
        {EBADF, WSAEBADF},
        {EACCES, WSAEACCES},
        {EPERM, WSAEACCES},
        {EFAULT, WSAEFAULT},
        {EINVAL, WSAEINVAL},
        {EMFILE, WSAEMFILE},
        {ENFILE, WSAEMFILE},
        {EAGAIN, WSAEWOULDBLOCK},
        {EINPROGRESS, WSAEINPROGRESS},
        {EALREADY, WSAEALREADY},
        {ENOTSOCK, WSAENOTSOCK},
        {EDESTADDRREQ, WSAEDESTADDRREQ},
        {EMSGSIZE, WSAEMSGSIZE},
        {EPROTOTYPE, WSAEPROTOTYPE},
        {ENOPROTOOPT, WSAENOPROTOOPT},
        {EPROTONOSUPPORT, WSAEPROTONOSUPPORT},
        {ESOCKTNOSUPPORT, WSAESOCKTNOSUPPORT},
        {EOPNOTSUPP, WSAEOPNOTSUPP},
        {EPFNOSUPPORT, WSAEPFNOSUPPORT},
        {EAFNOSUPPORT, WSAEAFNOSUPPORT},
        {EADDRINUSE, WSAEADDRINUSE},
        {EADDRNOTAVAIL, WSAEADDRNOTAVAIL},
        {ENETDOWN, WSAENETDOWN},
        {ENETUNREACH, WSAENETUNREACH},
        {ENETRESET, WSAENETRESET},
        {ECONNABORTED, WSAECONNABORTED},
        {ECONNRESET, WSAECONNRESET},
        // A send to a peer that is gone; the connection is as good as reset.
        {EPIPE, WSAECONNRESET},
        {ENOBUFS, WSAENOBUFS},
        {ENOMEM, WSAENOBUFS},
        {EISCONN, WSAEISCONN},
        {ENOTCONN, WSAENOTCONN},
        {ESHUTDOWN, WSAESHUTDOWN},
        {ETOOMANYREFS, WSAETOOMANYREFS},
        {ETIMEDOUT, WSAETIMEDOUT},
        {ECONNREFUSED, WSAECONNREFUSED},
        {ELOOP, WSAELOOP},
        {ENAMETOOLONG, WSAENAMETOOLONG},
        {EHOSTDOWN, WSAEHOSTDOWN},
        {EHOSTUNREACH, WSAEHOSTUNREACH},
        {ENOTEMPTY, WSAENOTEMPTY},
        {EUSERS, WSAEUSERS},
        {EDQUOT, WSAEDQUOT},
        {ESTALE, WSAESTALE},
        {EREMOTE, WSAEREMOTE},
    };
    return codes;
}

const std::unordered_map<int, const char*>& Texts() {
    static const std::unordered_map<int, const char*> texts = {
        {0, "No Error"},
        {WSAEINTR, "Interrupted system call"},
        {WSAEBADF, "Bad file number"},
        {WSAEACCES, "Permission denied"},
        {WSAEFAULT, "Bad address"},
        {WSAEINVAL, "Invalid argument"},
        {WSAEMFILE, "Too many open files"},
        {WSAEWOULDBLOCK, "Operation would block"},
        {WSAEINPROGRESS, "Operation now in progress"},
        {WSAEALREADY, "Operation already in progress"},
        {WSAENOTSOCK, "Socket operation on non-socket"},
        {WSAEDESTADDRREQ, "Destination address required"},
        {WSAEMSGSIZE, "Message too long"},
        {WSAEPROTOTYPE, "Protocol wrong type for socket"},
        {WSAENOPROTOOPT, "Protocol not available"},
        {WSAEPROTONOSUPPORT, "Protocol not supported"},
        {WSAESOCKTNOSUPPORT, "Socket type not supported"},
        {WSAEOPNOTSUPP, "Operation not supported on socket"},
        {WSAEPFNOSUPPORT, "Protocol family not supported"},
        {WSAEAFNOSUPPORT, "Address family not supported by protocol family"},
        {WSAEADDRINUSE, "Address already in use"},
        {WSAEADDRNOTAVAIL, "Address not available"},
        {WSAENETDOWN, "Network is down"},
        {WSAENETUNREACH, "Network is unreachable"},
        {WSAENETRESET, "Network dropped connection on reset"},
        {WSAECONNABORTED, "Connection aborted"},
        {WSAECONNRESET, "Connection reset by peer"},
        {WSAENOBUFS, "No buffer space available"},
        {WSAEISCONN, "Socket is already connected"},
        {WSAENOTCONN, "Socket is not connected"},
        {WSAESHUTDOWN, "Can't send after socket shutdown"},
        {WSAETOOMANYREFS, "Too many references: can't splice"},
        {WSAETIMEDOUT, "Connection timed out"},
        {WSAECONNREFUSED, "Connection refused"},
        {WSAELOOP, "Too many levels of symbolic links"},
        {WSAENAMETOOLONG, "File name too long"},
        {WSAEHOSTDOWN, "Host is down"},
        {WSAEHOSTUNREACH, "No route to host"},
        {WSAENOTEMPTY, "Directory not empty"},
        {10067, "Too many processes"},
        {WSAEUSERS, "Too many users"},
        {WSAEDQUOT, "Disc quota exceeded"},
        {WSAESTALE, "Stale NFS file handle"},
        {WSAEREMOTE, "Too many levels of remote in path"},
        {10091, "Network sub-system is unusable"},
        {10092, "WinSock DLL cannot support this application"},
        {WSANOTINITIALISED, "WinSock not initialized"},
        {WSAHOST_NOT_FOUND, "Host not found"},
        {WSATRY_AGAIN, "Non-authoritative host not found"},
        {WSANO_RECOVERY, "Non-recoverable error"},
        {WSANO_DATA, "No Data"},
    };
    return texts;
}

}  // namespace

int SocketErrorFromErrno(int errnoValue) {
    const auto found = ErrnoCodes().find(errnoValue);
    return found == ErrnoCodes().end() ? errnoValue : found->second;
}

int SocketErrorFromLookup(int lookupError, int errnoValue) {
    switch (lookupError) {
        case 0: return 0;
        case EAI_NONAME: return WSAHOST_NOT_FOUND;
        case EAI_AGAIN: return WSATRY_AGAIN;
        case EAI_NODATA:
        case EAI_ADDRFAMILY: return WSANO_DATA;
        case EAI_MEMORY: return WSAENOBUFS;
        case EAI_SYSTEM: return SocketErrorFromErrno(errnoValue);
        default: return WSANO_RECOVERY;
    }
}

int LastSocketError() { return lastError; }

void SetLastSocketError(int code) { lastError = code; }

int NoteErrno() {
    lastError = SocketErrorFromErrno(errno);
    return lastError;
}

std::string WinsockErrorText(int code) {
    const auto found = Texts().find(code);
    return found == Texts().end() ? "Not a WinSock error" : found->second;
}

}  // namespace net
