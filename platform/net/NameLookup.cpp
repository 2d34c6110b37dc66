#include "platform/net/NameLookup.h"

#include "platform/net/SocketErrors.h"
#include "platform/net/SocketLibrary.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>

namespace net {

namespace {

// What a machine without the databases still has to know: the program's own
// connections are "tcp" connections to "http" ports.
struct KnownProtocol {
    const char* name;
    int value;
};
constexpr std::array<KnownProtocol, 2> kKnownProtocols{{{"tcp", 6}, {"udp", 17}}};

struct KnownService {
    const char* name;
    uint16_t value;
};
constexpr std::array<KnownService, 1> kKnownServices{{{"http", 80}}};

// The built-in value of a name, when the table has it.
template <typename Table, typename Value>
bool FindKnown(const Table& table, const std::string& name, Value& value) {
    for (const auto& known : table) {
        if (::strcasecmp(known.name, name.c_str()) == 0) {
            value = known.value;
            return true;
        }
    }
    return false;
}

int Fail(int code) {
    SetLastSocketError(code);
    return code;
}

}  // namespace

int LookupHostAddresses(const std::string& name, std::vector<uint32_t>& addresses) {
    EnsureSocketLibrary();
    addresses.clear();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int result = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (result != 0) return Fail(SocketErrorFromLookup(result, errno));
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr) continue;
        const uint32_t address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
        if (std::find(addresses.begin(), addresses.end(), address) == addresses.end()) addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    return addresses.empty() ? Fail(WSANO_DATA) : 0;
}

int LookupHostName(uint32_t address, std::string& name) {
    EnsureSocketLibrary();
    sockaddr_in system{};
    system.sin_family = AF_INET;
    system.sin_addr.s_addr = address;
    char host[NI_MAXHOST] = {};
    const int result = ::getnameinfo(reinterpret_cast<const sockaddr*>(&system), sizeof system, host, sizeof host,
                                     nullptr, 0, NI_NAMEREQD);
    if (result != 0) return Fail(SocketErrorFromLookup(result, errno));
    name = host;
    return 0;
}

int LookupServicePort(const std::string& service, const std::string& protocol, uint16_t& port) {
    EnsureSocketLibrary();
    servent entry{};
    servent* found = nullptr;
    std::array<char, 1024> buffer{};
    ::getservbyname_r(service.c_str(), protocol.empty() ? nullptr : protocol.c_str(), &entry, buffer.data(),
                      buffer.size(), &found);
    if (found) port = ntohs(static_cast<uint16_t>(found->s_port));
    return found || FindKnown(kKnownServices, service, port) ? 0 : Fail(WSANO_DATA);
}

int LookupProtocolNumber(const std::string& name, int& number) {
    EnsureSocketLibrary();
    protoent entry{};
    protoent* found = nullptr;
    std::array<char, 1024> buffer{};
    ::getprotobyname_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found);
    if (found) number = found->p_proto;
    return found || FindKnown(kKnownProtocols, name, number) ? 0 : Fail(WSANO_DATA);
}

}  // namespace net
