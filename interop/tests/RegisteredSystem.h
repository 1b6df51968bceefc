#pragma once
// A test with the library registered and one System object created as a client creates it; the
// library is unregistered again after the test.
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"

#include <gtest/gtest.h>

namespace syslinkage_test {

class RegisteredSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(com_.result()));
        ASSERT_TRUE(library_);
        ASSERT_EQ(library_.Register(), S_OK);
        ASSERT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system_.put_void()),
                  S_OK);
    }
    void TearDown() override {
        system_.reset();
        EXPECT_EQ(library_.Unregister(), S_OK);
    }

    winkit::ComApartment com_;
    Library library_;
    winkit::ComPtr<_System> system_;
};

} // namespace syslinkage_test
