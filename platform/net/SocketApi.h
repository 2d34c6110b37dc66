#pragma once
// The socket calls the socket classes make: IPv4 sockets that never block.
// Each call starts the socket library (SocketLibrary.h) when it is not
// started, returns the system's result (SOCKET_ERROR or INVALID_SOCKET on
// failure) and then leaves the failure's code (SocketErrors.h) in
// LastSocketError(). A send or receive that would block fails with
// WSAEWOULDBLOCK, a connect under way with WSAEWOULDBLOCK too.

#include <cstdint>
#include <string>

namespace net {

using SocketHandle = int;
inline constexpr SocketHandle INVALID_SOCKET = -1;
inline constexpr int SOCKET_ERROR = -1;

inline constexpr int kAddressFamilyInet = 2;
inline constexpr int kSocketStream = 1;
inline constexpr int kSocketDatagram = 2;
inline constexpr int kSocketRaw = 3;
inline constexpr int kProtocolTcp = 6;
inline constexpr int kProtocolUdp = 17;
// What an address text that is no address converts to (also 255.255.255.255).
inline constexpr uint32_t kInaddrNone = 0xFFFFFFFFu;
inline constexpr int kShutdownSend = 1;
// Send flags: urgent data.
inline constexpr int kSendOutOfBand = 1;

// An IPv4 address record; port and address in network order.
struct SocketAddress {
    uint16_t family = kAddressFamilyInet;
    uint16_t port = 0;
    uint32_t address = 0;
};

SocketHandle OpenSocket(int family, int type, int protocol);
int CloseSocket(SocketHandle handle);
int ShutdownSocket(SocketHandle handle, int how);
int ConnectSocket(SocketHandle handle, const SocketAddress& to);
int BindSocket(SocketHandle handle, const SocketAddress& address);
int ListenSocket(SocketHandle handle, int backlog);
// The new connection never blocks either.
SocketHandle AcceptSocket(SocketHandle handle, SocketAddress* from);
int SendSocket(SocketHandle handle, const void* data, int length, int flags);
int SendToSocket(SocketHandle handle, const SocketAddress& to, const void* data, int length, int flags);
int RecvSocket(SocketHandle handle, void* buffer, int length, int flags);
int RecvFromSocket(SocketHandle handle, void* buffer, int length, int flags, SocketAddress* from);
// Bytes waiting to be received (for a datagram socket: the next datagram's).
int BytesWaiting(SocketHandle handle, int* count);
int SocketName(SocketHandle handle, SocketAddress* address);
int PeerName(SocketHandle handle, SocketAddress* address);
// The outcome of a connect under way: 0, or the code it failed with.
int PendingSocketError(SocketHandle handle, int* code);
int SocketType(SocketHandle handle, int* type);
bool IsListeningSocket(SocketHandle handle);

int SetReuseAddress(SocketHandle handle, bool on);
int SetBroadcast(SocketHandle handle, bool on);
int SetKeepAlive(SocketHandle handle, bool on);
int SetNoDelay(SocketHandle handle, bool on);
int SetLinger(SocketHandle handle, bool on, int seconds);
int SetMulticastTtl(SocketHandle handle, int ttl);
int SetMulticastInterface(SocketHandle handle, uint32_t address);
int JoinMulticastGroup(SocketHandle handle, uint32_t group, uint32_t interfaceAddress);

// Dotted text of an address in network order.
std::string DottedAddress(uint32_t address);
// The address of a dotted text in network order; kInaddrNone when it is none.
uint32_t InetAddr(const std::string& text);
uint16_t HostToNetwork16(uint16_t value);
uint16_t NetworkToHost16(uint16_t value);

}  // namespace net
