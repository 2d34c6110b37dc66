#include "cd/net/NetSocketResolve.h"

#include "cd/net/NetText.h"
#include "cd/net/SocketException.h"

#include "platform/net/NameLookup.h"
#include "platform/net/SocketApi.h"
#include "platform/net/SocketErrors.h"

#include <algorithm>
#include <vector>

namespace {


}  // namespace

bool IsDottedIPv4(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '.') return false;
    int dots = 0;
    int group = 0;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (nettext::IsDigit(ch)) {
            group = std::min(group * 10 + (ch - '0'), 256);  // 256 is as bad as any larger group
        } else if (ch == '.') {
            ++dots;
            if (dots > 3 || group > 255 || i + 1 == text.size() || !nettext::IsDigit(text[i + 1])) return false;
            group = 0;
        } else if (ch == ' ') {
            break;
        } else {
            return false;
        }
    }
    return dots == 3 && group <= 255;
}

int32_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int64_t number = 0;
    for (; i < text.size() && nettext::IsDigit(text[i]); ++i) {
        number = std::min<int64_t>(number * 10 + (text[i] - '0'), INT32_MAX);
    }
    return static_cast<int32_t>(number);
}

uint32_t NetSocketResolveHost(const std::string& host) {
    if (host.empty() || host.size() > 256) throw ESocketException("NetSocketResolveHost: '" + host + "' Invalid Hostname.");
    const std::string name = nettext::Trim(host);
    if (IsDottedIPv4(name)) {
        const uint32_t address = net::InetAddr(name);
        if (address == net::kInaddrNone && name != "255.255.255.255") {
            throw ESocketException("NetSocketResolveHost: '" + host + "' Invalid IP address.");
        }
        return address;
    }
    std::vector<uint32_t> addresses;
    const int error = net::LookupHostAddresses(name, addresses);
    if (error != 0) {
        throw ESocketException("NetSocketResolveHost: Cannot convert host address '" + host + "', Error #" +
                               std::to_string(error));
    }
    return addresses.front();
}

uint16_t NetSocketResolvePort(const std::string& port, const std::string& proto) {
    if (port.empty() || port.size() >= 32) throw ESocketException("NetSocketResolvePort: Invalid Port.");
    if (proto.empty() || proto.size() >= 32) throw ESocketException("NetSocketResolvePort: Invalid Proto.");
    if (nettext::IsDigit(port[0])) {
        // A number past the last port would reach some other port.
        const int32_t number = LeadingNumber(port);
        if (number > 65535) throw ESocketException("NetSocketResolvePort: Invalid Port.");
        return static_cast<uint16_t>(number);
    }
    uint16_t number = 0;
    const int error = net::LookupServicePort(nettext::Trim(port), nettext::Trim(proto), number);
    if (error != 0) {
        throw ESocketException("NetSocketResolvePort: Cannot convert port '" + port + "', Error #" + std::to_string(error));
    }
    return number;
}

int32_t NetSocketResolveProto(const std::string& proto) {
    if (proto.empty() || proto.size() >= 32) throw ESocketException("NetSocketResolveProto: Invalid Protocol.");
    const std::string name = nettext::Trim(proto);
    if (!name.empty() && nettext::IsDigit(name[0])) return LeadingNumber(name);
    int number = 0;
    const int error = net::LookupProtocolNumber(name, number);
    if (error != 0) {
        throw ESocketException("NetSocketResolveProto: Cannot convert protocol '" + proto + "', Error #" +
                               std::to_string(error));
    }
    return number;
}
