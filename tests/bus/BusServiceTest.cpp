// The keyboard's bus object in this process, called over a private bus as other programs would.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "emulator/VirtualKeyboard.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;
using bustest::BusService;
using bustest::Call;
using bustest::kInterface;
using bustest::kSourceDir;
using bustest::Property;

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
        {"Set", {QVariantMap{{"speed", 3.5}}}, kBusErrorInvalid},
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
        QDBusMessage::createMethodCall(kBusService, kBusKeyboardPath, kInterface, "Export"), 60000);
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

// (kind, name, form) of every member of an interface: a property's type and access, each
// argument's direction, type and name in order. A signal's arguments are always out.
using Member = std::tuple<std::string, std::string, std::string>;

std::set<Member> Members(const pugi::xml_node& interface) {
    std::set<Member> members;
    for (const pugi::xml_node& member : interface.children()) {
        const std::string kind = member.name();
        if (kind == "annotation") continue;
        std::string form =
            std::string(member.attribute("type").value()) + member.attribute("access").value();
        for (const pugi::xml_node& arg : member.children("arg"))
            form += std::string(" ") +
                    arg.attribute("direction").as_string(kind == "signal" ? "out" : "in") + ":" +
                    arg.attribute("type").value() + ":" + arg.attribute("name").value();
        members.emplace(kind, member.attribute("name").value(), form);
    }
    return members;
}

// The interfaces of an object, by name, without the bus's own.
std::map<std::string, std::set<Member>> Interfaces(const pugi::xml_node& node) {
    std::map<std::string, std::set<Member>> interfaces;
    for (const pugi::xml_node& interface : node.children("interface")) {
        const std::string name = interface.attribute("name").value();
        if (!name.starts_with("org.freedesktop.DBus.")) interfaces[name] = Members(interface);
    }
    return interfaces;
}

// What the running objects say of themselves is what the installed descriptions say.
TEST_F(BusService, TheObjectsMatchTheirDescriptionsInTheSources) {
    const struct {
        const char* path;
        std::vector<const char*> interfaces;
    } objects[] = {
        {kBusKeyboardPath, {kBusInterface}},
        {kBusManagerPath, {kBusManagerInterface, kBusInterface}},
    };
    for (const auto& object : objects) {
        const QDBusMessage reply = Call(QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                        "Introspect", {}, object.path);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << object.path;
        pugi::xml_document live;
        ASSERT_TRUE(live.load_string(reply.arguments().front().toString().toUtf8().constData()));
        std::map<std::string, std::set<Member>> described;
        for (const char* interface : object.interfaces) {
            pugi::xml_document file;
            const fs::path xml = kSourceDir / "src/bus" / (std::string(interface) + ".xml");
            ASSERT_TRUE(file.load_file(xml.c_str())) << xml;
            described.merge(Interfaces(file.child("node")));
        }
        EXPECT_EQ(described.size(), object.interfaces.size());
        EXPECT_EQ(Interfaces(live.child("node")), described) << object.path;
    }
}

TEST_F(BusService, TheManagerListsTheKeyboardAndTellsWhenItGoes) {
    const QVariant keyboards = Property("Keyboards", kBusManagerInterface, kBusManagerPath);
    EXPECT_EQ(qdbus_cast<QList<QDBusObjectPath>>(keyboards),
              QList<QDBusObjectPath>{QDBusObjectPath(kBusKeyboardPath)});
    EXPECT_EQ(Property("APIVersion", kBusManagerInterface, kBusManagerPath).toUInt(),
              kBusApiVersion);
    // Scripts written before find the keyboard at the manager's path too.
    EXPECT_EQ(Call(kInterface, "Set", {QVariantMap{{"mode", "Wave"}}}, kBusManagerPath).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(Property("ModeName", kBusInterface, kBusManagerPath).toString(), "Wave");
    EXPECT_EQ(Property("ModeName").toString(), "Wave");
    bustest::SignalRecorder removed(kBusManagerPath, kBusManagerInterface, "KeyboardRemoved");
    service.reset();
    ASSERT_TRUE(bustest::WaitFor([&] { return !removed.arguments.isEmpty(); }));
    EXPECT_EQ(removed.arguments.front().value<QDBusObjectPath>().path(), kBusKeyboardPath);
}

}  // namespace
