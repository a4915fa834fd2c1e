#pragma once
// The commands against the emulated keyboard, in the process that opens it: a fixture that runs
// a command line and keeps what it printed and what the keyboard received.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "cli/RunLocally.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "files/TempFolder.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/LocalKeyboard.h"
#include "persist/AppPaths.h"

namespace {

constexpr std::uint8_t kQueryBit = 0x80;

bool IsQuery(const std::uint8_t* report) {
    return (FeaturePacket::FromReport(report).command & kQueryBit) != 0;
}

// A keyboard that answers queries but takes no command.
class RefusingBackend : public HidBackend {
public:
    explicit RefusingBackend(std::shared_ptr<EmulatedBackend> inner) : inner_(std::move(inner)) {}
    std::vector<std::string> Enumerate() override { return inner_->Enumerate(); }
    HidHandle Open(const std::string& path, HidAccess access) override {
        return inner_->Open(path, access);
    }
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override {
        return IsQuery(report) && inner_->SetFeature(handle, report, size);
    }
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override {
        return inner_->GetFeature(handle, report, size);
    }
    bool Close(HidHandle handle) override { return inner_->Close(handle); }
    std::unique_ptr<HidMonitor> Monitor() override { return inner_->Monitor(); }

private:
    std::shared_ptr<EmulatedBackend> inner_;
};

// A keyboard the system lists but this user may not open.
class UnopenableBackend : public HidBackend {
public:
    explicit UnopenableBackend(std::shared_ptr<EmulatedBackend> inner) : inner_(std::move(inner)) {}
    std::vector<std::string> Enumerate() override { return inner_->Enumerate(); }
    HidHandle Open(const std::string&, HidAccess) override {
        NoteFailure(HidFailure::FromErrno(EACCES));
        return kInvalidHidHandle;
    }
    bool SetFeature(HidHandle, const std::uint8_t*, std::size_t) override { return false; }
    bool GetFeature(HidHandle, std::uint8_t*, std::size_t) override { return false; }
    bool Close(HidHandle) override { return false; }
    std::unique_ptr<HidMonitor> Monitor() override { return nullptr; }

private:
    std::shared_ptr<EmulatedBackend> inner_;
};

class LocalCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        paths.dataFolder = KEYLUME_SOURCE_DIR;
        paths.userFolder = folder.path().string();
        paths.configFile = paths.uiFolder() / "config.xml";
        paths.shippedConfigFile = paths.configFile;
        paths.macroFile = paths.userFolder / "macro.xml";
    }

    int Run(std::vector<std::string> arguments) {
        out.str({});
        err.str({});
        backend->ClearLog();
        return RunLocally(
            arguments, paths,
            [this](const std::string& emulation) -> std::shared_ptr<HidBackend> {
                opened = emulation;
                if (refuse) return std::make_shared<RefusingBackend>(backend);
                if (unopenable) return std::make_shared<UnopenableBackend>(backend);
                return backend;
            },
            out, err);
    }

    nlohmann::json Json() const { return nlohmann::json::parse(out.str(), nullptr, false); }

    // Commands sent to the keyboard; the requests of queries do not count.
    std::size_t Sent() const {
        const auto log = backend->Log();
        return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [](const auto& r) {
            return r.direction == ReportRecord::Direction::Set && !(r.packet.command & kQueryBit);
        }));
    }

    VirtualKeyboard& Keyboard() const { return backend->Keyboard(); }

    files_test::TempFolder folder;
    AppPaths paths;
    std::shared_ptr<EmulatedBackend> backend = std::make_shared<EmulatedBackend>();
    bool refuse = false;
    bool unopenable = false;
    std::string opened = "-";
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace
