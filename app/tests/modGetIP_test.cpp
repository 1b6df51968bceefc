#include "app/menu/modGetIP.h"

#include "app/tests/ClipboardTestKit.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

using quillet::AddressesOf;
using quillet::HostAddresses;

namespace {

// A host entry as the sockets service returns it, made up from a list of IPv4 addresses.
class MadeUpHost {
public:
    explicit MadeUpHost(std::vector<std::vector<unsigned char>> addresses) : bytes_(std::move(addresses)) {
        for (auto& address : bytes_)
            list_.push_back(reinterpret_cast<char*>(address.data()));
        list_.push_back(nullptr);
        entry_.h_name = const_cast<char*>("madeup");
        entry_.h_addrtype = AF_INET;
        entry_.h_length = 4;
        entry_.h_addr_list = list_.data();
    }
    const hostent& entry() const { return entry_; }

private:
    std::vector<std::vector<unsigned char>> bytes_;
    std::vector<char*> list_;
    hostent entry_{};
};

// Four numbers of at most three digits, each up to 255, joined by dots.
bool IsDottedQuad(const std::wstring& text) {
    unsigned parts[4];
    wchar_t rest = 0;
    return text.size() <= 15 &&
           std::swscanf(text.c_str(), L"%3u.%3u.%3u.%3u%lc", &parts[0], &parts[1], &parts[2], &parts[3], &rest) == 4 &&
           std::all_of(std::begin(parts), std::end(parts), [](unsigned p) { return p <= 255; });
}

} // namespace

TEST(AddressesOf, LastIsPublicAndTheOneBeforeIsLocal) {
    const MadeUpHost host({{10, 0, 0, 1}, {192, 168, 1, 20}, {203, 0, 113, 255}});
    const HostAddresses found = AddressesOf(host.entry());
    EXPECT_EQ(found.publicAddress, L"203.0.113.255");
    EXPECT_EQ(found.localNetwork, L"192.168.1.20");
}

TEST(AddressesOf, OneAddressIsPublicWithNoLocalOne) {
    const MadeUpHost host({{127, 0, 1, 1}});
    const HostAddresses found = AddressesOf(host.entry());
    EXPECT_EQ(found.publicAddress, L"127.0.1.1");
    EXPECT_EQ(found.localNetwork, L"");
}

TEST(AddressesOf, AnEmptyListGivesNoAddresses) {
    const MadeUpHost host({});
    const HostAddresses found = AddressesOf(host.entry());
    EXPECT_EQ(found.publicAddress, L"");
    EXPECT_EQ(found.localNetwork, L"");
}

TEST(LookUpAddresses, AsksTheLocalHostAndReleasesTheService) {
    quillet::AddressLookup lookup;
    const auto boxes = apptest::AnsweringDialogs([&] {
        lookup = quillet::LookUpAddresses({});
        EXPECT_TRUE(quillet::ReportLookup(lookup));
    });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(lookup.outcome, quillet::AddressLookup::Outcome::Found);
    EXPECT_TRUE(IsDottedQuad(lookup.addresses.publicAddress)) << winkit::ToUtf8(lookup.addresses.publicAddress);
    EXPECT_TRUE(lookup.addresses.localNetwork.empty() || IsDottedQuad(lookup.addresses.localNetwork))
        << winkit::ToUtf8(lookup.addresses.localNetwork);
    // The lookup's own start is released: nothing is left running.
    EXPECT_EQ(::WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(::WSAGetLastError(), WSANOTINITIALISED);
}
