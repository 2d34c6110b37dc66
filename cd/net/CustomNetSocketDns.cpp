// Forward and reverse name look-ups, run aside and reported through OnDnsLookupDone.
#include "cd/net/CustomNetSocket.h"

#include "cd/net/NetSocketResolve.h"

#include "platform/net/HostLookup.h"
#include "platform/net/SocketErrors.h"

void TCustomNetSocket::ClearLookupResults() {
    lookup_->Cancel();
    dnsResult_.clear();
    dnsResultList_.clear();
}

void TCustomNetSocket::DnsLookup(const std::string& hostName) {
    if (hostName.empty()) {
        RaiseError("DNS lookup: invalid host name.");
        FireDnsLookupDone(net::WSAEINVAL);
        return;
    }
    ClearLookupResults();
    if (IsDottedIPv4(hostName)) {
        const uint32_t address = net::InetAddr(hostName);
        if (address != net::kInaddrNone) {
            dnsResult_ = net::DottedAddress(address);
            dnsResultList_ = {dnsResult_};
            FireDnsLookupDone(0);
            return;
        }
    }
    if (lookup_->StartForward(hostName) == 0) {
        RaiseError(hostName + ": can't start DNS lookup, error #" + std::to_string(net::LastSocketError()));
    }
}

void TCustomNetSocket::ReverseDnsLookup(const std::string& address) {
    if (address.empty() || address.size() > 256) {
        RaiseError("ReverseDnsLookup: Invalid host name.");
        FireDnsLookupDone(net::WSAEINVAL);
        return;
    }
    ClearLookupResults();
    if (lookup_->StartReverse(net::InetAddr(address)) == 0) {
        RaiseError(address + ": can't start DNS lookup, error #" + std::to_string(net::LastSocketError()));
    }
}

void TCustomNetSocket::HandleLookupDone(int error, const std::vector<std::string>& results) {
    if (error == 0) {
        dnsResultList_ = results;
        dnsResult_ = results.empty() ? std::string() : results.front();
    }
    FireDnsLookupDone(static_cast<uint16_t>(error));
}

void TCustomNetSocket::CancelDnsLookup() {
    if (lookup_->Task() == 0) return;
    lookup_->Cancel();
    if (!destroying_) FireDnsLookupDone(net::WSAEINTR);
}
