#include "app/menu/modGetIP.h"

#include "core/Message.h"

#include <winsock2.h>
#include <windows.h>

namespace quillet {

namespace {

bool socketsFailed = false;

// These failures are shown as plain boxes, without icon, outside the program's message kinds.
void PlainMessage(const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), core::kProgramTitle, MB_OK);
}

std::wstring DottedAddress(const char* bytes, int length) {
    std::wstring text;
    for (int i = 0; i < length; ++i) {
        if (i > 0)
            text += L'.';
        text += std::to_wstring(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

// Starts the service through `startup`; an outcome other than Found leaves it stopped.
AddressLookup::Outcome StartService(const SocketsStartupCall& startup, int& major, int& minor) {
    WSADATA data{};
    if ((startup ? startup(MAKEWORD(1, 1), &data) : ::WSAStartup(MAKEWORD(1, 1), &data)) != 0)
        return AddressLookup::Outcome::NoService;
    major = LOBYTE(data.wVersion);
    minor = HIBYTE(data.wVersion);
    if (major < 1 || (major == 1 && minor < 1)) {
        ::WSACleanup();
        return AddressLookup::Outcome::OldService;
    }
    return AddressLookup::Outcome::Found;
}

// Tells the user when the service would not start; false when it started.
bool ToldStartFailure(AddressLookup::Outcome outcome, int major, int minor) {
    if (outcome == AddressLookup::Outcome::NoService)
        PlainMessage(L"Winsock.dll Error.");
    else if (outcome == AddressLookup::Outcome::OldService)
        PlainMessage(L"Windows Sockets version " + std::to_wstring(major) + L"." + std::to_wstring(minor));
    else
        return false;
    socketsFailed = true;
    return true;
}

} // namespace

bool SocketsFailed() { return socketsFailed; }

SocketsStartupCall& SocketsStartup() {
    static SocketsStartupCall startup;
    return startup;
}

AddressLookup LookUpAddresses(const SocketsStartupCall& startup) {
    AddressLookup lookup;
    lookup.outcome = StartService(startup, lookup.major, lookup.minor);
    if (lookup.outcome != AddressLookup::Outcome::Found)
        return lookup;
    // The entry lives in the calling thread's own buffer, so it is read before anything else asks.
    if (const hostent* entry = ::gethostbyname(""))
        lookup.addresses = AddressesOf(*entry);
    else
        lookup.outcome = AddressLookup::Outcome::NoHostEntry;
    ::WSACleanup();
    return lookup;
}

bool ReportLookup(const AddressLookup& lookup) {
    if (ToldStartFailure(lookup.outcome, lookup.major, lookup.minor))
        return false;
    socketsFailed = false;
    if (lookup.outcome == AddressLookup::Outcome::NoHostEntry)
        PlainMessage(L"Winsock.dll error.");
    return true;
}

HostAddresses AddressesOf(const hostent& entry) {
    HostAddresses found;
    if (!entry.h_addr_list || entry.h_length <= 0)
        return found;
    for (char** address = entry.h_addr_list; *address; ++address) {
        found.localNetwork = std::move(found.publicAddress);
        found.publicAddress = DottedAddress(*address, entry.h_length);
    }
    return found;
}

} // namespace quillet
