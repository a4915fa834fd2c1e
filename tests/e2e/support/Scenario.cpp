#include "Scenario.h"

#include <QCoreApplication>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "emulator/KeyboardStateFile.h"
#include "widgets/CoordsFile.h"

namespace fs = std::filesystem;

namespace e2e {

void Scenario::SetUp() {
    // The support talks D-Bus and runs helper programs through Qt's event machinery.
    static int argc = 1;
    static char name[] = "test_e2e";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        fs::path(KEYLUME_E2E_RUNS) / (std::string(info->test_suite_name()) + "." + info->name());
    const Session* session = StartSession();
    ASSERT_NE(session, nullptr);
    program_ = std::make_unique<ProgramRun>(*session, folder_);
    program_->SetScale(ScaleFactor());
    a11y_ = std::make_unique<Accessibility>(*session);
    a11y_->SetScale(ScaleFactor());
}

const Session* Scenario::StartSession() {
    QString error;
    desktop_ = std::make_unique<Desktop>(ScreenSize().width(), ScreenSize().height(), error);
    if (!error.isEmpty()) {
        ADD_FAILURE() << error.toStdString();
        return nullptr;
    }
    input_ = std::make_unique<XInput>(*desktop_);
    return desktop_.get();
}

QImage Scenario::Screen() {
    return Capture(*desktop_);
}

void Scenario::ClickAt(QPoint point, int button) {
    input_->Click(point, button);
}

void Scenario::TearDown() {
    if (HasFailure() && program_) KeepScreen("at-failure");
    if (program_) {
        program_->Stop();
        if (HasFailure())
            std::cerr << "program output:\n" << program_->Output().toStdString() << '\n';
    }
    program_.reset();
    a11y_.reset();
    desktop_.reset();
}

bool Scenario::StartProgram(const QStringList& arguments) {
    program_->Start(arguments);
    // The profile list is filled by the connection read.
    return !WaitForControl("kb_cmb_profile", std::chrono::milliseconds(30000)).screen.isEmpty();
}

void Scenario::PrepareKeyboard(const std::function<void(KeyboardState&)>& change) {
    KeyboardState state = Keyboard().value_or(KeyboardState::Defaults());
    change(state);
    std::filesystem::create_directories(program_->keyboardStateFile().parent_path());
    ASSERT_TRUE(SaveKeyboardState(state, program_->keyboardStateFile()));
}

void Scenario::AllProfilesPerKey() {
    constexpr int kCustom = 8;
    PrepareKeyboard([](KeyboardState& s) {
        for (auto& mode : s.profileModes) mode = kCustom;
        for (auto& set : s.colourSets) set.fill(rgba_t{0, 0, 255, 0});
    });
}

QColor Scenario::KeyColour(const QString& name) {
    const auto keyboard = Keyboard();
    if (!keyboard) return {};
    const rgba_t c = keyboard->colourSets.at(keyboard->selectedColourSet)
                         .at(static_cast<std::size_t>(KeyInfo("cbimg_led_effect", name).index));
    return QColor(c.r, c.g, c.b);
}

bool Scenario::KeysAre(const std::vector<QString>& keys, const QColor& colour) {
    return std::all_of(keys.begin(), keys.end(),
                       [&](const QString& k) { return KeyColour(k) == colour; });
}

void Scenario::ChooseFromList(const QString& combo, const QString& entry) {
    Click(combo);
    // A row of the opened list, not the box that may already show the same text.
    std::vector<Control> rows;
    const bool listed = WaitUntil([&] {
        rows = a11y_->ListEntries(entry);
        return !rows.empty();
    });
    ASSERT_TRUE(listed) << WithScreen("the list of " + combo.toStdString() + " shows no \"" +
                                      entry.toStdString() + "\"");
    ClickAt(rows.front().screen.center());
}

Control Scenario::WaitForControl(const QString& name, Deadline limit) {
    Control found;
    const bool shown = WaitUntil(
        [&] {
            found = a11y_->First(name);
            return !found.screen.isEmpty();
        },
        limit);
    EXPECT_TRUE(shown) << WithScreen("the control \"" + name.toStdString() + "\" never showed");
    return found;
}

bool Scenario::WaitUntilGone(const QString& name, Deadline limit) {
    return WaitUntil([&] { return a11y_->Find(name).empty(); }, limit);
}

void Scenario::Click(const QString& name, int index) {
    std::vector<Control> all;
    WaitUntil([&] {
        all = a11y_->Find(name);
        return static_cast<int>(all.size()) > index;
    });
    ASSERT_GT(static_cast<int>(all.size()), index) << WithScreen(
        "no control \"" + name.toStdString() + "\" number " + std::to_string(index) + " to click");
    ClickAt(all[index].screen.center());
}

namespace {

std::vector<CoordButtonInfo> KeysOf(const ProgramRun& program, const QString& picture) {
    const char* file = picture == "cbimg_led_effect" ? "keys_led.xml" : "keys_macro.xml";
    return SOUI::ReadCoordsFile((program.dataFolder() / "uires" / "coords" / file).string());
}

}  // namespace

CoordButtonInfo Scenario::KeyUnder(const QString& picture, QPoint screenPoint) {
    const QPoint screen = screenPoint - WaitForControl(picture).screen.topLeft();
    const QPoint p(screen.x() / ScaleFactor(), screen.y() / ScaleFactor());
    for (const auto& key : KeysOf(*program_, picture))
        if (p.x() >= key.rect.left && p.x() < key.rect.right && p.y() >= key.rect.top &&
            p.y() < key.rect.bottom)
            return key;
    return {};
}

CoordButtonInfo Scenario::KeyInfo(const QString& picture, const QString& keyName) {
    for (const auto& key : KeysOf(*program_, picture))
        if (QString::fromStdWString(key.name).compare(keyName, Qt::CaseInsensitive) == 0)
            return key;
    ADD_FAILURE() << "no key " << keyName.toStdString() << " in " << picture.toStdString();
    return {};
}

QRect Scenario::KeyOnScreen(const QString& picture, const QString& keyName) {
    const Control image = WaitForControl(picture);
    const CoordRect r = KeyInfo(picture, keyName).rect;
    const int s = ScaleFactor();
    return QRect(r.left * s, r.top * s, (r.right - r.left) * s, (r.bottom - r.top) * s)
        .translated(image.screen.topLeft());
}

void Scenario::ClickKey(const QString& picture, const QString& keyName, int button) {
    ClickAt(KeyOnScreen(picture, keyName).center(), button);
}

void Scenario::Key(const QString& keys) {
    input_->Key(keys);
}

void Scenario::Type(const QString& text) {
    input_->Type(text);
}

void Scenario::ChooseFromMoreMenu(MoreMenuEntry entry) {
    const QImage closed = Screen();
    Click("btn_more");
    const QRect more = a11y_->First("btn_more").screen;
    const QRect below(more.left() - 150, more.bottom() + 4, more.width() + 150, 100);
    ASSERT_TRUE(WaitUntil([&] { return RegionChanged(closed, Screen(), below); }))
        << WithScreen("the more menu did not open");
    for (int i = 0; i < entry; ++i) Key("Down");
    Key("Return");
}

void Scenario::ClickLabelled(const QString& label) {
    std::vector<Control> found;
    WaitUntil([&] {
        found = a11y_->FindLabelled(label);
        return !found.empty();
    });
    ASSERT_FALSE(found.empty()) << WithScreen("nothing labelled \"" + label.toStdString() + "\"");
    ClickAt(found.front().screen.center());
}

// The threshold is low enough for the faint text of a disabled field.
bool Scenario::ShowsContent(const QRect& region) {
    const QImage shot = Screen();
    const QColor background = MainColour(shot, region);
    int other = 0;
    const QRect area = region.adjusted(3, 3, -3, -3).intersected(shot.rect());  // not the frame
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ColourDistance(QColor(shot.pixel(x, y)), background) > 32) ++other;
    return other >= 8;
}

std::string Scenario::KeepScreen(const std::string& name) {
    const fs::path file = folder_ / (std::to_string(++pictures_) + "-" + name + ".png");
    const QImage shot = Screen();
    if (!shot.save(QString::fromStdString(file.string())))
        std::cerr << "could not keep the screen as " << file << " (" << shot.width() << "x"
                  << shot.height() << ")\n";
    return file.string();
}

std::string Scenario::WithScreen(const std::string& what) {
    return what + " (screen: " + KeepScreen("failure") + ")";
}

std::optional<KeyboardState> Scenario::Keyboard() const {
    return LoadKeyboardState(program_->keyboardStateFile(), KeyboardShape{});
}

std::string Scenario::MacroFileText() const {
    std::ifstream in(program_->macroFile());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

persist::MacroContent Scenario::MacroFile() const {
    pugi::xml_document document;
    document.load_file(program_->macroFile().c_str());
    return persist::ReadMacroDocument(document);
}

int Scenario::WindowsTitled(const QString& title) {
    int count = 0;
    for (const Control& w : a11y_->Windows())
        if (w.label == title) ++count;
    return count;
}

void Scenario::AnswerFileDialog(const QString& title, const std::filesystem::path& file) {
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(title) == 1; }))
        << WithScreen("the file dialog \"" + title.toStdString() + "\" did not open");
    Key("ctrl+a");
    Type(QString::fromStdString(file.string()));
    Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(title) == 0; }))
        << WithScreen("the file dialog stayed open");
}

void Scenario::CloseMessageBox(const QString& title, const QString& says) {
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(title) == 1; }))
        << WithScreen("no message \"" + title.toStdString() + "\"");
    if (!says.isEmpty()) {
        const QString text = WaitForControl("msgtext").label;
        EXPECT_TRUE(text.contains(says)) << text.toStdString();
    }
    Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(title) == 0; }))
        << WithScreen("the message stayed open");
}

}  // namespace e2e
