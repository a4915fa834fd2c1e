// The main window in this process, offscreen: from nothing to a painted window that shows the
// keyboard, and from a slider move to the report that reaches the keyboard.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <chrono>
#include <memory>

#include "app/MainDlg.h"
#include "device/DeviceCommand.h"
#include "emulator/EmulatedBackend.h"
#include "store/ShapeDispatcher.h"
#include "ui/SOUI.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

namespace {

QApplication& Qt() {
    static int argc = 1;
    static char name[] = "bench_main_window";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// The toolkit over the program's own UI folder, as start-up makes it.
std::unique_ptr<SOUI::SApplication> MakeToolkit() {
    Qt();
    const QString uires = QStringLiteral(KEYLUME_SOURCE_UIRES);
    auto app = std::make_unique<SOUI::SApplication>(QFileInfo(uires).absolutePath());
    app->SetNameIdTable(SOUI::ProgramNameIdTable());
    app->InitResources(uires);
    app->LoadTranslator(QStringLiteral("translator:lang_en"));
    SOUI::RegisterExtensionWidgets(app->Factory(), SOUI::PictureWidgetClasses());
    return app;
}

std::unique_ptr<CMainDlg> MakeWindow(std::shared_ptr<EmulatedBackend> backend) {
    auto window =
        std::make_unique<CMainDlg>(QStringLiteral("LAYOUT:XML_MAINWND"), std::move(backend));
    window->Create();
    window->SendMessage(SOUI::WM_INITDIALOG);
    window->ShowWindow(SOUI::SW_SHOWNORMAL);
    return window;
}

// The connection read has reached the window once the mode list is filled.
bool ShowsTheKeyboard(CMainDlg& window) {
    auto* modes = window.GetRoot()->FindChildByName2<SOUI::SComboBox>(
        QStringLiteral("cmb_mainled_light_mode_normal"));
    return modes && modes->GetCount() > 0;
}

void RunUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
        ShapeDispatcher::waitIdle();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_StartUpToPaintedWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto app = MakeToolkit();
        auto backend = std::make_shared<EmulatedBackend>();
        auto window = MakeWindow(backend);
        RunUntil([&] { return ShowsTheKeyboard(*window); });
        if (!ShowsTheKeyboard(*window)) state.SkipWithError("the keyboard was not read");
        benchmark::DoNotOptimize(window->GetFrame()->grab());
        state.PauseTiming();
        window->DestroyWindow();
        window.reset();
        ShapeDispatcher::waitIdle();
        app.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_StartUpToPaintedWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// A brightness slider moved by the user until the mode register report is on the keyboard.
void BM_SliderToReport(benchmark::State& state) {
    auto app = MakeToolkit();
    auto backend = std::make_shared<EmulatedBackend>();
    auto window = MakeWindow(backend);
    RunUntil([&] { return ShowsTheKeyboard(*window); });
    auto* slider = window->GetRoot()->FindChildByName2<SOUI::SSliderBar>(
        QStringLiteral("bar_mainled_fgbrightness"));
    if (!slider || !ShowsTheKeyboard(*window)) {
        state.SkipWithError("no brightness slider with a keyboard behind it");
        return;
    }
    auto reportSent = [&] {
        for (const ReportRecord& r : backend->Log())
            if (r.direction == ReportRecord::Direction::Set && r.packet.command == ModeRegister)
                return true;
        return false;
    };
    int position = 0;
    for (auto _ : state) {
        position = (position + 37) % 256;
        backend->ClearLog();
        const auto start = std::chrono::steady_clock::now();
        slider->Slider()->setValue(position);
        while (!reportSent()) QCoreApplication::processEvents(QEventLoop::AllEvents);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
    }
    window->DestroyWindow();
    window.reset();
    ShapeDispatcher::waitIdle();
}
BENCHMARK(BM_SliderToReport)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
