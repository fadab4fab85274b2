#pragma once
// What every COM scenario starts from: the real DLL loaded into the test process, two recording sinks sharing
// one log, and at the end the check that no object, lock or dialog outlived the scenario.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "com_test_host.h"

namespace orv::e2e {

using Log = std::vector<std::wstring>;

class TwoSinkServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fileExists(realDll()));
        server_ = std::make_unique<LoadedServer>(realDll());
        first_ = new EventSink(&log_, L"A ");
        second_ = new EventSink(&log_, L"B ");
    }
    void TearDown() override {
        object_.reset();
        if (first_) first_->Release();
        if (second_) second_->Release();
        if (server_) {
            EXPECT_EQ(server_->canUnloadNow(), S_OK) << "an object, lock or dialog outlived the scenario";
        }
    }

    std::unique_ptr<LoadedServer> server_;
    ComPtr<_C_Enf_Pol> object_;
    EventSink* first_ = nullptr;
    EventSink* second_ = nullptr;
    Log log_;
};

}  // namespace orv::e2e
