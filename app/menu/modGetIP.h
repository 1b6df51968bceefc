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

// Starts the sockets service (version 1.1) unless it already runs. False, after telling the user, when
// the service is missing or too old: nothing network-related can work then and the program must end at
// once. It is not ended from here: this runs inside the main form's load, which a shutdown would unload
// from under itself; start-up ends the program when that load returns (SocketsFailed).
bool StartSockets();
// Whether the last start of the service failed.
bool SocketsFailed();
// What starts the service (WSAStartup when empty); tests put a failing one here.
std::function<int(unsigned short version, WSAData* data)>& SocketsStartup();
// Releases the service started by StartSockets, however many lookups used it.
void StopSockets();

// The public address when wantPublic, else the local-network one; dotted decimal, or empty.
std::wstring GetIPAddress(bool wantPublic);

// The last two addresses of a host entry, each as its bytes in decimal joined by ".".
HostAddresses AddressesOf(const hostent& entry);

// What one lookup of the clipboard menu's addresses found.
struct AddressLookup {
    enum class Outcome { Found, NoService, OldService, NoHostEntry };
    Outcome outcome = Outcome::Found;
    int major = 0, minor = 0; // the version a too old service granted
    HostAddresses addresses;
};
using SocketsStartupCall = std::function<int(unsigned short version, WSAData* data)>;
// Starts the service (through `startup`, WSAStartup when empty), reads the local host's entry and releases
// the service again. It shows nothing and touches nothing shared, so it may run on a worker thread.
AddressLookup LookUpAddresses(const SocketsStartupCall& startup);
// Back on the user-interface thread: tells the user about a failed lookup as StartSockets and GetIPAddress
// do, and records a failed start of the service (SocketsFailed). False when the program must end.
bool ReportLookup(const AddressLookup& lookup);

} // namespace quillet
