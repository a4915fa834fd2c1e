#include "support/PrivateBus.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/BusDaemon.h"

namespace bustest {

namespace {

class BusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Address(); }
    void TearDown() override { daemon_.reset(); }

    QString Start() { return daemon_ ? daemon_->Start() : QString(); }

private:
    std::unique_ptr<BusDaemon> daemon_ = std::make_unique<BusDaemon>();
};

BusEnvironment* environment =
    static_cast<BusEnvironment*>(::testing::AddGlobalTestEnvironment(new BusEnvironment));

}  // namespace

QString Address() {
    return environment->Start();
}

}  // namespace bustest
