#include "platform/net/SocketApi.h"

#include "platform/net/SocketErrors.h"
#include "platform/net/SocketLibrary.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace net {

namespace {

sockaddr_in ToSystem(const SocketAddress& address) {
    sockaddr_in result{};
    result.sin_family = static_cast<sa_family_t>(address.family);
    result.sin_port = address.port;
    result.sin_addr.s_addr = address.address;
    return result;
}

SocketAddress FromSystem(const sockaddr_in& address) {
    return {static_cast<uint16_t>(address.sin_family), address.sin_port, address.sin_addr.s_addr};
}

// A call's result: failures store their code, successes clear nothing.
int Checked(int result) {
    if (result < 0) {
        NoteErrno();
        return SOCKET_ERROR;
    }
    return result;
}

template <typename Call>
int Retrying(Call call) {
    EnsureSocketLibrary();
    int result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return Checked(result);
}

int SetFlag(SocketHandle handle, int level, int name, bool on) {
    const int value = on ? 1 : 0;
    return Retrying([&] { return ::setsockopt(handle, level, name, &value, sizeof value); });
}

// getsockname or getpeername into an address record.
int NameOf(int (*call)(int, sockaddr*, socklen_t*), SocketHandle handle, SocketAddress* address) {
    sockaddr_in system{};
    socklen_t length = sizeof system;
    const int result = Retrying([&] { return call(handle, reinterpret_cast<sockaddr*>(&system), &length); });
    if (result == 0) *address = FromSystem(system);
    return result;
}

int SystemSendFlags(int flags) { return ((flags & kSendOutOfBand) ? MSG_OOB : 0) | MSG_NOSIGNAL; }

}  // namespace

SocketHandle OpenSocket(int family, int type, int protocol) {
    return Retrying([&] { return ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol); });
}

int CloseSocket(SocketHandle handle) {
    EnsureSocketLibrary();
    // A close that a signal interrupts has still released the handle.
    if (::close(handle) < 0 && errno != EINTR) return Checked(-1);
    return 0;
}

int ShutdownSocket(SocketHandle handle, int how) {
    return Retrying([&] { return ::shutdown(handle, how); });
}

int ConnectSocket(SocketHandle handle, const SocketAddress& to) {
    EnsureSocketLibrary();
    const sockaddr_in address = ToSystem(to);
    if (::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return 0;
    if (errno == EINPROGRESS || errno == EINTR) {
        SetLastSocketError(WSAEWOULDBLOCK);
        return SOCKET_ERROR;
    }
    return Checked(-1);
}

int BindSocket(SocketHandle handle, const SocketAddress& address) {
    const sockaddr_in system = ToSystem(address);
    return Retrying([&] { return ::bind(handle, reinterpret_cast<const sockaddr*>(&system), sizeof system); });
}

int ListenSocket(SocketHandle handle, int backlog) {
    return Retrying([&] { return ::listen(handle, backlog); });
}

SocketHandle AcceptSocket(SocketHandle handle, SocketAddress* from) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const int result = Retrying([&] {
        return ::accept4(handle, reinterpret_cast<sockaddr*>(&address), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    });
    if (result >= 0 && from) *from = FromSystem(address);
    return result < 0 ? INVALID_SOCKET : result;
}

int SendSocket(SocketHandle handle, const void* data, int length, int flags) {
    return Retrying([&] { return static_cast<int>(::send(handle, data, static_cast<size_t>(length), SystemSendFlags(flags))); });
}

int SendToSocket(SocketHandle handle, const SocketAddress& to, const void* data, int length, int flags) {
    const sockaddr_in address = ToSystem(to);
    return Retrying([&] {
        return static_cast<int>(::sendto(handle, data, static_cast<size_t>(length), SystemSendFlags(flags),
                                         reinterpret_cast<const sockaddr*>(&address), sizeof address));
    });
}

int RecvSocket(SocketHandle handle, void* buffer, int length, int flags) {
    return Retrying([&] { return static_cast<int>(::recv(handle, buffer, static_cast<size_t>(length), flags)); });
}

int RecvFromSocket(SocketHandle handle, void* buffer, int length, int flags, SocketAddress* from) {
    sockaddr_in address{};
    socklen_t addressLength = sizeof address;
    const int result = Retrying([&] {
        return static_cast<int>(::recvfrom(handle, buffer, static_cast<size_t>(length), flags,
                                           reinterpret_cast<sockaddr*>(&address), &addressLength));
    });
    if (result >= 0 && from) *from = FromSystem(address);
    return result;
}

int BytesWaiting(SocketHandle handle, int* count) {
    return Retrying([&] { return ::ioctl(handle, FIONREAD, count); });
}

int SocketName(SocketHandle handle, SocketAddress* address) { return NameOf(::getsockname, handle, address); }

int PeerName(SocketHandle handle, SocketAddress* address) { return NameOf(::getpeername, handle, address); }

int PendingSocketError(SocketHandle handle, int* code) {
    int value = 0;
    socklen_t length = sizeof value;
    const int result = Retrying([&] { return ::getsockopt(handle, SOL_SOCKET, SO_ERROR, &value, &length); });
    if (result == 0) *code = value == 0 ? 0 : SocketErrorFromErrno(value);
    return result;
}

int SocketType(SocketHandle handle, int* type) {
    socklen_t length = sizeof *type;
    return Retrying([&] { return ::getsockopt(handle, SOL_SOCKET, SO_TYPE, type, &length); });
}

bool IsListeningSocket(SocketHandle handle) {
    int value = 0;
    socklen_t length = sizeof value;
    return ::getsockopt(handle, SOL_SOCKET, SO_ACCEPTCONN, &value, &length) == 0 && value != 0;
}

int SetReuseAddress(SocketHandle handle, bool on) { return SetFlag(handle, SOL_SOCKET, SO_REUSEADDR, on); }
int SetBroadcast(SocketHandle handle, bool on) { return SetFlag(handle, SOL_SOCKET, SO_BROADCAST, on); }
int SetKeepAlive(SocketHandle handle, bool on) { return SetFlag(handle, SOL_SOCKET, SO_KEEPALIVE, on); }
int SetNoDelay(SocketHandle handle, bool on) { return SetFlag(handle, IPPROTO_TCP, TCP_NODELAY, on); }

int SetLinger(SocketHandle handle, bool on, int seconds) {
    const linger value{on ? 1 : 0, seconds};
    return Retrying([&] { return ::setsockopt(handle, SOL_SOCKET, SO_LINGER, &value, sizeof value); });
}

int SetMulticastTtl(SocketHandle handle, int ttl) {
    const unsigned char value = static_cast<unsigned char>(ttl);
    return Retrying([&] { return ::setsockopt(handle, IPPROTO_IP, IP_MULTICAST_TTL, &value, sizeof value); });
}

int SetMulticastInterface(SocketHandle handle, uint32_t address) {
    in_addr value{};
    value.s_addr = address;
    return Retrying([&] { return ::setsockopt(handle, IPPROTO_IP, IP_MULTICAST_IF, &value, sizeof value); });
}

int JoinMulticastGroup(SocketHandle handle, uint32_t group, uint32_t interfaceAddress) {
    ip_mreq request{};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = interfaceAddress;
    return Retrying([&] { return ::setsockopt(handle, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request); });
}

std::string DottedAddress(uint32_t address) {
    char text[INET_ADDRSTRLEN] = {};
    in_addr value{};
    value.s_addr = address;
    ::inet_ntop(AF_INET, &value, text, sizeof text);
    return text;
}

uint32_t InetAddr(const std::string& text) { return ::inet_addr(text.c_str()); }

uint16_t HostToNetwork16(uint16_t value) { return htons(value); }

uint16_t NetworkToHost16(uint16_t value) { return ntohs(value); }

}  // namespace net
