#pragma once
// The keyboard's bus service in the test's process, over the emulated keyboard and its keyboard
// logic, published on the private bus.
#include <gtest/gtest.h>

#include <QDBusMessage>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "bus/BusNames.h"
#include "bus/KeyboardBusService.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedBackend.h"
#include "logic/KeyboardLogic.h"
#include "ops/KeyboardClient.h"
#include "ops/RefusalWatch.h"
#include "support/BusCall.h"
#include "support/PrivateBus.h"

namespace bustest {

inline const std::filesystem::path kSourceDir = KEYLUME_SOURCE_DIR;
inline const QString kInterface = QString::fromLatin1(kBusInterface);

class BusService : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Address().isEmpty()) << "no dbus-daemon";
        // Before the keyboard logic, as the window's screens are.
        screens = std::make_unique<KeyboardClient>();
        link = std::make_unique<DeviceLink>(watch);
        logic = std::make_unique<KeyboardLogic>(link.get());
        ASSERT_TRUE(KeyboardClient::Settle());
        service = std::make_unique<KeyboardBusService>(watch.get(), kSourceDir / "uires",
                                                       QStringLiteral("keyboard"));
        ASSERT_TRUE(service->Publish());
        // The service's copy has caught up with the keyboard logic, and said so.
        ASSERT_TRUE(WaitFor([] { return Property("Connected").toBool(); }));
        backend->ClearLog();
    }
    void TearDown() override {
        service.reset();
        logic.reset();
        link.reset();
        screens.reset();
        KeyboardClient::Settle();
    }

    // Commands that reached the keyboard; the requests of queries do not count.
    std::size_t Sent() const {
        const auto log = backend->Log();
        return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [](const auto& r) {
            return r.direction == ReportRecord::Direction::Set && !(r.packet.command & 0x80);
        }));
    }

    QDBusMessage Set(const QVariantMap& settings) { return Call(kInterface, "Set", {settings}); }

    std::shared_ptr<EmulatedBackend> backend = std::make_shared<EmulatedBackend>();
    std::shared_ptr<RefusalWatch> watch = std::make_shared<RefusalWatch>(backend);
    // Publishes to the keyboard logic as the window's screens do.
    std::unique_ptr<KeyboardClient> screens;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<KeyboardLogic> logic;
    std::unique_ptr<KeyboardBusService> service;
};

}  // namespace bustest
