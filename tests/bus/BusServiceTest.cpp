// The keyboard's bus object in this process, called over a private bus as other programs would.
#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <pugixml.hpp>
#include <set>
#include <tuple>

#include "bus/BusNames.h"
#include "bus/KeyboardBusService.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"
#include "ops/RefusalWatch.h"
#include "support/BusCall.h"
#include "support/PrivateBus.h"

namespace {

namespace fs = std::filesystem;
using bustest::Call;
using bustest::Property;

const fs::path kSourceDir = KEYLUME_SOURCE_DIR;
const QString kInterface = QString::fromLatin1(kBusInterface);

class BusService : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(bustest::Address().isEmpty()) << "no dbus-daemon";
        link = std::make_unique<DeviceLink>(watch);
        logic = std::make_unique<KeyboardLogic>(link.get());
        ASSERT_TRUE(KeyboardClient::Settle());
        service = std::make_unique<KeyboardBusService>(watch.get(), kSourceDir / "uires",
                                                       QStringLiteral("keyboard"));
        ASSERT_TRUE(service->Publish());
        backend->ClearLog();
    }
    void TearDown() override {
        service.reset();
        logic.reset();
        link.reset();
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
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<KeyboardLogic> logic;
    std::unique_ptr<KeyboardBusService> service;
};

TEST_F(BusService, OffersTheKeyboardsStateAsProperties) {
    VirtualKeyboard& keyboard = backend->Keyboard();
    EXPECT_TRUE(Property("Connected").toBool());
    EXPECT_EQ(Property("ProductId").toString(), "0x1514");
    EXPECT_EQ(Property("ProfileCount").toInt(), keyboard.Shape().profiles);
    EXPECT_EQ(Property("ActiveProfile").toInt(), keyboard.ActiveProfile());
    EXPECT_EQ(Property("ModeIndex").toInt(), keyboard.ProfileMode(keyboard.ActiveProfile()));
    EXPECT_EQ(Property("ColourSet").toInt(), keyboard.SelectedColourSet() + 1);
    EXPECT_EQ(Property("Emulation").toString(), "keyboard");
    const QJsonObject status =
        QJsonDocument::fromJson(Property("Status").toString().toUtf8()).object();
    EXPECT_TRUE(status["connected"].toBool());
    EXPECT_EQ(status["mode"].toObject()["name"].toString(), Property("ModeName").toString());
    EXPECT_EQ(QJsonDocument::fromJson(Property("Modes").toString().toUtf8())
                  .object()["modes"]
                  .toArray()
                  .size(),
              keyboard.Shape().modes);
    EXPECT_EQ(Sent(), 0u);
}

TEST_F(BusService, CallsChangeTheKeyboardAndAnnounceIt) {
    bustest::ChangeCounter changes;
    // The status JSON's key and the option's name are both taken.
    const QDBusMessage reply = Set({{"mode", "Rain"},
                                    {"speed", "6"},
                                    {"colour", "102030"},
                                    {"backgroundBrightness", "9"},
                                    {"background-colour", "#0A0B0C"}});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    VirtualKeyboard& keyboard = backend->Keyboard();
    const int profile = keyboard.ActiveProfile();
    EXPECT_EQ(keyboard.ProfileMode(profile), 3);
    EXPECT_EQ(keyboard.State().Register(profile, 3).speed(), 6);
    EXPECT_EQ(keyboard.State().Register(profile, 3).backgroundBrightness, 9);
    EXPECT_EQ(keyboard.State().Register(profile, 3).background[2], 0x0C);
    EXPECT_EQ(Property("ModeName").toString(), "Rain");
    EXPECT_TRUE(bustest::WaitFor([&] { return changes.count > 0; }));

    ASSERT_EQ(Call(kInterface, "Paint", {QStringList{"esc"}, "0A0B0C"}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(keyboard.Colours(keyboard.SelectedColourSet())[0].b, 0x0C);
    ASSERT_EQ(Call(kInterface, "Assign", {"F1", "key", "Tab"}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(keyboard.KeyCodes()[1].code(), 0x2000 | 0x2B);
}

struct BadCall {
    const char* method;
    QVariantList arguments;
    const char* error;
};

// Every malformed call is answered with an error, and the keyboard gets nothing.
TEST_F(BusService, MalformedCallsAreRefusedAndSendNothing) {
    const BadCall calls[] = {
        {"Set", {QVariantMap{{"speed", "99"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"speed", 3}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"turbo", "1"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"mode", "Sparkle"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"mode", "12345"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"mode", "Custom"}, {"speed", "3"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"profile", "-1"}}}, kBusErrorInvalid},
        {"Set", {QVariantMap{{"direction", "around"}}}, kBusErrorInvalid},
        {"Paint", {QStringList{"Esc"}, "red"}, kBusErrorInvalid},
        {"Paint", {QStringList{}, "FF0000"}, kBusErrorInvalid},
        {"Paint", {QStringList{"Esc", "NoSuchKey"}, "FF0000"}, kBusErrorInvalid},
        {"Assign", {"F1", "teleport", "x"}, kBusErrorInvalid},
        {"Assign", {"F1", "key", ""}, kBusErrorInvalid},
        {"Assign", {"F1", "key", "NoSuchKey"}, kBusErrorInvalid},
        {"Assign", {"NoSuchKey", "clear", ""}, kBusErrorInvalid},
        {"Assign", {"F1", "function", "Teleport"}, kBusErrorInvalid},
        {"Set", {QString("speed")}, "org.freedesktop.DBus.Error.UnknownMethod"},
        {"Assign", {"F1", "clear"}, "org.freedesktop.DBus.Error.UnknownMethod"},
        {"Reset", {}, "org.freedesktop.DBus.Error.UnknownMethod"},
    };
    const KeyboardState before = backend->Keyboard().State();
    for (const BadCall& call : calls) {
        const QDBusMessage reply = Call(kInterface, call.method, call.arguments);
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << call.method;
        EXPECT_EQ(reply.errorName().toStdString(), call.error)
            << call.method << ": " << reply.errorMessage().toStdString();
        EXPECT_EQ(Sent(), 0u) << call.method;
    }
    EXPECT_EQ(backend->Keyboard().State().registers, before.registers);
    EXPECT_EQ(backend->Keyboard().State().keyCodes, before.keyCodes);
}

TEST_F(BusService, AnAbsentKeyboardIsAKeyboardError) {
    ASSERT_TRUE(logic->OnRemove(EmulatedBackend::KeyboardPath()));
    ASSERT_TRUE(KeyboardClient::Settle());
    backend->UnplugKeyboard();
    EXPECT_TRUE(bustest::WaitFor([] { return !Property("Connected").toBool(); }));
    const QDBusMessage reply = Set({{"brightness", "5"}});
    EXPECT_EQ(reply.errorName().toStdString(), kBusErrorKeyboard);
    EXPECT_NE(reply.errorMessage().indexOf("not connected"), -1);
}

// The window's thread answers while a call waits for a slow keyboard; a call while another
// operation holds the keyboard is turned away at once, and sends nothing.
TEST_F(BusService, TheWindowAnswersWhileTheKeyboardIsBusy) {
    backend->SetLatency(std::chrono::milliseconds(5));
    const QDBusPendingCall exporting = bustest::ClientConnection().asyncCall(
        QDBusMessage::createMethodCall(kBusService, kBusPath, kInterface, "Export"), 60000);
    EXPECT_TRUE(Property("Connected").toBool());
    EXPECT_FALSE(exporting.isFinished());
    ASSERT_TRUE(bustest::WaitFor([&] { return exporting.isFinished(); }, 60000));
    EXPECT_EQ(exporting.reply().type(), QDBusMessage::ReplyMessage);

    backend->SetLatency(std::chrono::milliseconds(0));
    backend->ClearLog();
    const auto windowsImport = service->Operations().TryHold();
    ASSERT_TRUE(windowsImport.owns_lock());
    const QDBusMessage reply = Set({{"brightness", "5"}});
    EXPECT_EQ(reply.errorName().toStdString(), kBusErrorBusy);
    EXPECT_NE(reply.errorMessage().indexOf("try again"), -1);
    EXPECT_EQ(Sent(), 0u);
}

// (kind, name, signature) of every member the description names.
using Member = std::tuple<std::string, std::string, std::string>;

std::set<Member> Members(const pugi::xml_node& node) {
    std::set<Member> members;
    for (const pugi::xml_node& interface : node.children("interface")) {
        if (std::string(interface.attribute("name").value()) != kBusInterface) continue;
        for (const pugi::xml_node& member : interface.children()) {
            std::string signature = member.attribute("type").value();
            for (const pugi::xml_node& arg : member.children("arg"))
                signature += std::string(arg.attribute("direction").value()) + ":" +
                             arg.attribute("type").value() + ";";
            if (member.name() == std::string("property"))
                signature += member.attribute("access").value();
            members.emplace(member.name(), member.attribute("name").value(), signature);
        }
    }
    return members;
}

TEST_F(BusService, TheObjectMatchesItsDescriptionInTheSources) {
    const QDBusMessage reply =
        Call(QStringLiteral("org.freedesktop.DBus.Introspectable"), "Introspect", {});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    pugi::xml_document live;
    ASSERT_TRUE(live.load_string(reply.arguments().front().toString().toUtf8().constData()));
    pugi::xml_document file;
    ASSERT_TRUE(file.load_file((kSourceDir / "src/bus/org.keylume.Keyboard1.xml").c_str()));
    const std::set<Member> described = Members(file.child("node"));
    EXPECT_FALSE(described.empty());
    EXPECT_EQ(Members(live.child("node")), described);
}

}  // namespace
