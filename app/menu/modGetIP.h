#pragma once
// modGetIP: the computer's own IP addresses, from the local host's entry of the sockets service. No
// outside server is asked.
#include <string>

struct hostent;

namespace quillet {

struct HostAddresses {
    // The address before the last one; empty when the entry has one address.
    std::wstring localNetwork;
    // The last address of the entry.
    std::wstring publicAddress;
};

// Starts the sockets service (version 1.1) unless it already runs; ends the program when the service
// is missing or too old, as nothing network-related could work then.
void StartSockets();
// Releases the service started by StartSockets, however many lookups used it.
void StopSockets();

// The public address when wantPublic, else the local-network one; dotted decimal, or empty.
std::wstring GetIPAddress(bool wantPublic);

// The last two addresses of a host entry, each as its bytes in decimal joined by ".".
HostAddresses AddressesOf(const hostent& entry);

} // namespace quillet
