// Another application's window for the scenarios: shown with the app id given, until ended.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QGuiApplication::setDesktopFileName(QString::fromLocal8Bit(argv[1]));
    QLabel window(QString::fromLocal8Bit(argv[1]));
    window.resize(200, 100);
    window.show();
    return app.exec();
}
