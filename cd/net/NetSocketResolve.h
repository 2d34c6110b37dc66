#pragma once
// Host names, dotted addresses, ports and protocols turned into numbers for
// the socket classes. The resolvers raise ESocketException with the socket
// layer's texts when a value is invalid or unknown.

#include <cstdint>
#include <string>

// Whether a text is a dotted IPv4 address of four groups of at most 255
// (spaces around it allowed).
bool IsDottedIPv4(const std::string& text);
// The number of the digits at the start of a text, after spaces (80 for "80x").
int32_t LeadingNumber(const std::string& text);

// The address of a host name or dotted address, in network order.
uint32_t NetSocketResolveHost(const std::string& host);
// The port number (host order) of a number or service name.
uint16_t NetSocketResolvePort(const std::string& port, const std::string& proto);
int32_t NetSocketResolveProto(const std::string& proto);
