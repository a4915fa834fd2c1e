// Every way the keyboard's state changes is announced by PropertiesChanged, with the new values,
// and by Changed: bus calls, the command line through the bus, the window's screens, the
// keyboard itself, plugging.
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "emulator/VirtualKeyboard.h"
#include "support/ProgramCopy.h"
#include "support/ServiceFixture.h"

namespace {

using bustest::BusService;
using bustest::Property;

struct Change {
    const char* surface;
    std::function<void()> make;
    QVariantMap announced;  // an invalid value: changed, to anything
};

// Runs `keylume ARGUMENTS` to its end while this process's service answers it.
void RunCommand(const QStringList& arguments) {
    QTemporaryDir home;
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home.path());
    command.setProcessEnvironment(environment);
    const auto program =
        testsupport::CopyProgram(KEYLUME_EXECUTABLE, home.filePath("program").toStdString());
    command.start(QString::fromStdString(program.string()), arguments);
    bustest::WaitFor([&] { return command.state() == QProcess::NotRunning; }, 30000);
    EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
}

TEST_F(BusService, EveryChangeIsAnnouncedWithItsNewValues) {
    const QString path = QString::fromStdString(EmulatedBackend::KeyboardPath());
    const auto set = [this](QVariantMap settings) {
        return [this, settings] {
            const QDBusMessage reply = Set(settings);
            EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
                << reply.errorMessage().toStdString();
        };
    };
    const Change changes[] = {
        {"Set, mode by number", set({{"mode", 5}}), {{"ModeIndex", 5}, {"ModeName", "Reactive"}}},
        {"Set, typed numbers",
         set({{"speed", 6}, {"brightness", quint8(40)}}),
         {{"Speed", 6}, {"Brightness", 40}}},
        {"Set, colours",
         set({{"colour", "#102030"}, {"backgroundColour", "0a0b0c"}}),
         {{"Colour", "#102030"}, {"BackgroundColour", "#0A0B0C"}}},
        {"Set, auto", set({{"colour", true}}), {{"Colour", "auto"}}},
        {"Set, texts",
         set({{"mode", "Custom"}, {"colourSet", "2"}}),
         {{"ModeName", "Custom"}, {"ColourSet", 2}, {"Speed", -1}}},
        {"Paint",
         [] {
             EXPECT_EQ(
                 bustest::Call(bustest::kInterface, "Paint", {QStringList{"Esc"}, "FF0000"}).type(),
                 QDBusMessage::ReplyMessage);
         },
         {{"Status", QVariant()}}},
        {"the command line",
         [] {
             RunCommand({"set", "--emulate", "--mode", "Rain", "--background-brightness", "7"});
         },
         {{"ModeName", "Rain"}, {"BackgroundBrightness", 7}}},
        {"the window's screens",
         [this] { EXPECT_TRUE(screens->SelectMode(1)); },
         {{"ModeIndex", 1}, {"ModeName", "Breathing"}, {"BackgroundBrightness", -1}}},
        {"the keyboard's own profile key",
         [this] {
             EXPECT_TRUE(backend->Keyboard().Modify([](KeyboardState& s) { s.activeProfile = 1; }));
             EXPECT_TRUE(screens->ReadSnapshot(shapes::kAfterRead));
         },
         {{"ActiveProfile", 1}}},
        {"unplugging",
         [&] {
             EXPECT_TRUE(logic->OnRemove(path.toStdString()));
             backend->UnplugKeyboard();
         },
         {{"Connected", false}, {"State", QVariant()}}},
        {"plugging",
         [&] {
             backend->PlugKeyboard();
             EXPECT_TRUE(logic->OnArrival(path.toStdString()));
         },
         {{"Connected", true}, {"State", "connected"}}},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.surface);
        // What the change before still announces is not this change's.
        bustest::WaitFor([] { return false; }, 100);
        bustest::PropertiesRecorder announced;
        bustest::ChangeCounter changed;
        change.make();
        const auto seen = [&] {
            for (auto it = change.announced.cbegin(); it != change.announced.cend(); ++it)
                if (!announced.changed.contains(it.key()) ||
                    (it.value().isValid() && announced.changed[it.key()] != it.value()))
                    return false;
            return changed.count > 0;
        };
        EXPECT_TRUE(bustest::WaitFor(seen))
            << QStringList(announced.changed.keys()).join(' ').toStdString();
        for (auto it = announced.changed.cbegin(); it != announced.changed.cend(); ++it)
            EXPECT_EQ(Property(it.key().toLatin1().constData()), it.value())
                << it.key().toStdString();
    }
}

// A refused call sends nothing to the keyboard, and announces nothing.
TEST_F(BusService, ARefusedCallAnnouncesNothing) {
    bustest::PropertiesRecorder announced;
    bustest::ChangeCounter changed;
    for (const QVariantMap& settings :
         {QVariantMap{{"speed", 99}}, QVariantMap{{"speed", -1}}, QVariantMap{{"speed", 2.5}},
          QVariantMap{{"colour", 0x102030}}, QVariantMap{{"colour", false}},
          QVariantMap{{"brightness", true}}, QVariantMap{{"direction", 1}},
          QVariantMap{{"mode", "Wave"}, {"speed", qulonglong(-1)}}})
        EXPECT_EQ(Set(settings).errorName().toStdString(), kBusErrorInvalid);
    bustest::WaitFor([] { return false; }, 300);
    EXPECT_EQ(Sent(), 0u);
    EXPECT_EQ(announced.count, 0) << QStringList(announced.changed.keys()).join(' ').toStdString();
    EXPECT_EQ(changed.count, 0);
}

}  // namespace
