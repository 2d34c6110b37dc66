#pragma once
// Names and numbers: host names to IPv4 addresses and back (getaddrinfo and
// getnameinfo), service names to ports and protocol names to numbers (the
// system's databases, with built-in values for "tcp", "udp" and "http" where
// /etc/protocols or /etc/services are missing). Each returns 0 or the code of
// its failure (SocketErrors.h), which it also leaves in LastSocketError().
// The host look-ups may wait for the network; HostLookup.h runs them aside.

#include <cstdint>
#include <string>
#include <vector>

namespace net {

// The IPv4 addresses (network order) of a host, in the resolver's order.
int LookupHostAddresses(const std::string& name, std::vector<uint32_t>& addresses);
// The name of the host at an address (network order).
int LookupHostName(uint32_t address, std::string& name);
// The port (host order) of a service for a protocol name; an empty protocol
// takes the service's first entry.
int LookupServicePort(const std::string& service, const std::string& protocol, uint16_t& port);
int LookupProtocolNumber(const std::string& name, int& number);

}  // namespace net
