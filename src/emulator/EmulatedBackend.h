#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/FeaturePacket.h"
#include "device/HidBackend.h"

class VirtualKeyboard;
class EmulatedEventQueue;

// Which part of an answer's echo a fault spoils.
enum class EchoFault { Command, Offset, Sub };

// One report as the emulated backend saw it: what was sent, or what was answered.
struct ReportRecord {
    enum class Direction { Set, Get };
    std::uint64_t number = 0;  // from 1, in arrival order
    Direction direction = Direction::Set;
    std::string path;      // interface the handle was opened on
    FeaturePacket packet;  // zero for a get that failed
    bool accepted = false;
};

// A HID backend around virtual devices: the keyboard (interfaces 0, 1, 3 and a decoy interface
// 3 with a collection) backed by a VirtualKeyboard on interface 3, and on request a keyboard with
// old firmware that refuses every report. Devices can be plugged and unplugged at any time,
// with arrival and removal events. Handles opened before an unplug stay dead.
//
// Test controls: a log of every report, a delay per report (a report waiting out its delay
// fails when its handle is closed or its device unplugged), and faults addressed by report
// number.
class EmulatedBackend : public HidBackend {
public:
    // The keyboard starts plugged; a null keyboard gets one of the default shape.
    explicit EmulatedBackend(std::shared_ptr<VirtualKeyboard> keyboard = nullptr);
    ~EmulatedBackend() override;

    VirtualKeyboard& Keyboard() const { return *keyboard_; }
    std::shared_ptr<VirtualKeyboard> SharedKeyboard() const { return keyboard_; }

    static std::string KeyboardPath();  // interface 3, the one that answers
    static std::vector<std::string> KeyboardInterfacePaths();
    static std::string OldFirmwarePath(int productId);

    void PlugKeyboard();
    void UnplugKeyboard();
    bool KeyboardPlugged() const;
    // A keyboard with product id 0x1511 or 0x1512 (others are taken as 0x1511).
    void PlugOldFirmware(int productId = 0x1511);
    void UnplugOldFirmware();

    void SetLatency(std::chrono::microseconds latency);
    void FailReport(std::uint64_t number);
    void SpoilEcho(std::uint64_t number, EchoFault fault = EchoFault::Command);
    // Unplugs the keyboard right after report `number` has been handled.
    void UnplugAfter(std::uint64_t number);
    void ClearFaults();

    // The log keeps the latest kLogLimit reports, so a long demo run does not grow without end.
    static constexpr std::size_t kLogLimit = 1 << 14;
    std::uint64_t ReportCount() const;
    std::vector<ReportRecord> Log() const;
    void ClearLog();
    void SetLogging(bool on);

    std::vector<std::string> Enumerate() override;
    HidHandle Open(const std::string& path, HidAccess access) override;
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override;
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override;
    bool Close(HidHandle handle) override;
    std::unique_ptr<HidMonitor> Monitor() override;

private:
    struct Interface {
        std::string path;
        int device;    // index into devices_
        bool answers;  // backed by the virtual keyboard
    };
    struct Device {
        bool plugged = false;
        std::uint64_t generation = 0;  // grows with every plug
    };
    struct Handle {
        const Interface* interface;
        std::uint64_t generation;
        bool closed = false;
    };

    void SetPlugged(int device, bool plugged, std::unique_lock<std::mutex>& lock);
    // The handle of a report call, or null when the call cannot be a report.
    std::shared_ptr<Handle> Find(HidHandle handle, const std::uint8_t* report,
                                 std::size_t size) const;
    bool Alive(const Handle& handle) const;
    // Counts the report, waits out the delay and applies the transport faults.
    bool Admit(Handle& handle, std::uint64_t& number, std::unique_lock<std::mutex>& lock);
    void Finish(ReportRecord record, std::unique_lock<std::mutex>& lock);

    std::shared_ptr<VirtualKeyboard> keyboard_;
    std::vector<Interface> interfaces_;
    std::vector<Device> devices_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::chrono::steady_clock::time_point due_{};           // when the last report's delay ends
    std::map<HidHandle, std::shared_ptr<Handle>> handles_;  // shared with reports in flight
    HidHandle nextHandle_ = 0x1000;
    std::vector<std::weak_ptr<EmulatedEventQueue>> monitors_;

    std::chrono::microseconds latency_{0};
    std::set<std::uint64_t> failReports_;
    std::map<std::uint64_t, EchoFault> spoiledEchoes_;
    std::optional<std::uint64_t> unplugAfter_;
    std::uint64_t reports_ = 0;
    bool logging_ = true;
    std::deque<ReportRecord> log_;  // the latest kLogLimit reports
};
