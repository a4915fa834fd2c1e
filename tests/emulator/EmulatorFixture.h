#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "device/FeatureTransport.h"
#include "emulator/VirtualKeyboard.h"

// A link opened on the emulated keyboard's interface 3.
class EmulatorFixture : public testing::Test {
protected:
    EmulatorFixture() {
        testing::internal::CaptureStdout();
        EXPECT_EQ(link_.Open(EmulatedBackend::KeyboardPath()), 2);
        testing::internal::GetCapturedStdout();
    }

    template <class T>
    T Query(int command, int sub, int expected = sizeof(T)) {
        T value{};
        EXPECT_EQ(QueryFeature(link_, command, sub, &value, sizeof(T)), expected)
            << "command " << command << " sub " << sub;
        return value;
    }

    template <class T>
    int Send(int command, int sub, const T& value, std::uint32_t offset = 0) {
        return SendFeature(link_, command, sub, offset, &value, sizeof(T));
    }

    std::shared_ptr<EmulatedBackend> backend_ = std::make_shared<EmulatedBackend>();
    VirtualKeyboard& keyboard_ = backend_->Keyboard();
    DeviceLink link_{backend_};
};
