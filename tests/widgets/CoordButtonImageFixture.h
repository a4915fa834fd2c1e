#pragma once
// A key map picture in a shown host window, fed with synthetic mouse messages through the
// UI thread's message filter, and a listener that records what it hears.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "widgets/CoordButtonImage.h"
#include "widgets/PictureWidgets.h"

namespace widgettest {

struct Click {
    int id;
    int order;
    int released;
    int x;
    int y;
};

struct Recorder {
    bool OnClick(int id, int order, const CoordButtonInfo& key, int released, int, int x, int y) {
        EXPECT_EQ(key.id, id);
        clicks.push_back({id, order, released, x, y});
        return handled;
    }
    void OnSelection(const std::vector<CoordButtonInfo>& keys) {
        std::vector<int> ids;
        for (const auto& k : keys) ids.push_back(k.id);
        selections.push_back(ids);
    }
    bool handled = false;
    std::vector<Click> clicks;
    std::vector<std::vector<int>> selections;
};

class KeyPictureTest : public WidgetTest {
protected:
    // Where the picture sits in the host window.
    static constexpr int kLeft = 20;
    static constexpr int kTop = 10;

    void SetUp() override {
        WidgetTest::SetUp();
        RegisterExtensionWidgets(app->Factory(), SOUI::PictureWidgetClasses());
        host->ShowWindow(SOUI::SW_SHOW);
        uitest::ProcessEvents();
    }
    void TearDown() override {
        for (const QString& f : files) QFile::remove(f);
        WidgetTest::TearDown();
    }

    // Writes a coordinates file beside the program and returns the name a layout gives it.
    QString WriteCoords(const std::string& body) {
        // CTest runs the tests of this program in parallel processes: the name carries the pid.
        const QString name = QStringLiteral("cbimg_test_%1_%2.xml")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(files.size());
        const QString path = QCoreApplication::applicationDirPath() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(body.c_str());
        files.push_back(path);
        return name;
    }

    // A picture of 160 by 50 at (kLeft, kTop) with the keys given as element lines.
    SOUI::CoordButtonImage* Make(const std::string& keys, const std::string& attrs = "") {
        const QString coords = WriteCoords("<positions>" + keys + "</positions>");
        const std::string xml = "<cbimg pos='20,10' size='160,50' coords='" + coords.toStdString() +
                                "' " + attrs + "/>";
        auto* w = Create<SOUI::CoordButtonImage>(xml.c_str());
        EXPECT_NE(w, nullptr);
        if (!w) return nullptr;
        // Widgets added to a shown window start hidden.
        w->SetVisible(true);
        w->SetListener(
            new SOUI::ListenerProxy<Recorder>(&rec, &Recorder::OnClick, &Recorder::OnSelection));
        return w;
    }

    // A skin of four 160 by 50 states: black, red, green, blue.
    void AddStateSkin(const char* name) {
        QImage image(160 * 4, 50, QImage::Format_ARGB32);
        const QColor colors[] = {Qt::black, Qt::red, Qt::green, Qt::blue};
        QPainter p(&image);
        for (int i = 0; i < 4; ++i) p.fillRect(160 * i, 0, 160, 50, colors[i]);
        p.end();
        app->Skins().Add(name, std::make_shared<SOUI::SSkinImgList>(image, 4, false));
    }

    // A mouse message at a point of the picture (widget coordinates).
    void Send(SOUI::UINT message, int x, int y) {
        SOUI::MSG msg;
        // Aimed at the picture's own window, as the message loop addresses mouse input.
        msg.hwnd = host->GetHostHwnd();
        msg.message = message;
        const QPoint global = host->GetFrame()->mapToGlobal(QPoint(kLeft + x, kTop + y));
        msg.pt = {global.x(), global.y()};
        app->GetMsgLoop().PreTranslate(msg);
    }
    void ClickAt(int x, int y) {
        Send(SOUI::WM_LBUTTONDOWN, x, y);
        Send(SOUI::WM_LBUTTONUP, x, y);
    }
    void DragLeft(QPoint from, QPoint to) {
        Send(SOUI::WM_LBUTTONDOWN, from.x(), from.y());
        Send(SOUI::WM_MOUSEMOVE, to.x(), to.y());
        Send(SOUI::WM_LBUTTONUP, to.x(), to.y());
    }
    void Leave() { Send(SOUI::WM_MOUSELEAVE, 0, 0); }

    static std::vector<int> Flags(const SOUI::CoordButtonImage* w,
                                  std::int32_t CoordButtonInfo::*field) {
        std::vector<int> out;
        for (const auto& k : w->Items()) out.push_back(k.*field);
        return out;
    }

    Recorder rec;
    std::vector<QString> files;
};

// Three keys in a row, ids 1 to 3, each 20 by 20, 10 apart.
inline const char* kThreeKeys =
    "<key id='1' name='A' rect='0,0,20,20'/>"
    "<key id='2' name='B' rect='30,0,20,20'/>"
    "<key id='3' name='C' rect='60,0,20,20'/>";

}  // namespace widgettest
