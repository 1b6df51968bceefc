#pragma once
// modGetIP: the computer's own IP addresses, from the local host's entry of the sockets service. No
// outside server is asked.
#include <functional>
#include <string>

struct hostent;
struct WSAData;

namespace quillet {

struct HostAddresses {
    // The address before the last one; empty when the entry has one address.
    std::wstring localNetwork;
    // The last address of the entry.
    std::wstring publicAddress;
};

// Whether the last lookup found the service missing or too old: nothing network-related can work then
// and the program must end at once.
bool SocketsFailed();
using SocketsStartupCall = std::function<int(unsigned short version, WSAData* data)>;
// What starts the service (WSAStartup when empty); tests put a failing one here.
SocketsStartupCall& SocketsStartup();

// The last two addresses of a host entry, each as its bytes in decimal joined by ".".
HostAddresses AddressesOf(const hostent& entry);

// What one lookup of the clipboard menu's addresses found.
struct AddressLookup {
    enum class Outcome { Found, NoService, OldService, NoHostEntry };
    Outcome outcome = Outcome::Found;
    int major = 0, minor = 0; // the version a too old service granted
    HostAddresses addresses;
};
// Starts the service (through `startup`, WSAStartup when empty), reads the local host's entry and releases
// the service again. It shows nothing and touches nothing shared, so it may run on a worker thread.
AddressLookup LookUpAddresses(const SocketsStartupCall& startup);
// Back on the user-interface thread: tells the user about a failed lookup and records a failed start of
// the service (SocketsFailed). False when the program must end.
bool ReportLookup(const AddressLookup& lookup);

} // namespace quillet
