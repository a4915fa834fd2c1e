// keylume-keymap: draws the keyboard pictures, their key coordinates files and
// the other pictures of the UI folder, and checks the key geometry first.
//
//   keylume-keymap <uires folder>       writes image/ and coords/ below it
//   keylume-keymap --check              only checks the key geometry

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "CoordsFile.h"
#include "FontChoice.h"
#include "ImageCatalog.h"
#include "KeyboardPicture.h"
#include "LayoutCheck.h"

namespace {

std::vector<std::string> checkGeometry() {
    std::vector<std::string> faults =
        CheckPictureKeys(PageKeys(PicturePage::Lighting), LIT_KEY_COUNT, PictureGeometry::SIZE);
    for (std::string& f : CheckPictureKeys(PageKeys(PicturePage::Assignment), CODED_KEY_COUNT,
                                           PictureGeometry::SIZE))
        faults.push_back(std::move(f));
    for (std::string& f : CheckKeyOrders(KeyboardKeys(), LitKeys())) faults.push_back(std::move(f));
    return faults;
}

bool saveImage(const QImage& image, const QString& path) {
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool writeAll(const QDir& root) {
    if (!root.mkpath("image") || !root.mkpath("coords")) {
        std::fprintf(stderr, "cannot create the folders below %s\n", qPrintable(root.path()));
        return false;
    }
    const QString image = root.filePath("image/");
    const QString coords = root.filePath("coords/");
    bool ok = true;
    // "NAME@2x.png" beside "NAME.png" is the same picture for screens of twice the density.
    for (auto [name, page] : {std::pair{"keyboard_led", PicturePage::Lighting},
                              std::pair{"keyboard_macro", PicturePage::Assignment}})
        for (auto [scale, suffix] : {std::pair{1, ".png"}, std::pair{2, "@2x.png"}})
            ok = saveImage(KeyboardPicture(page, scale), image + name + suffix) && ok;
    for (const CatalogImage& entry : UiImages())
        ok = saveImage(entry.image, image + QString::fromStdString(entry.file)) && ok;
    for (auto [file, page] : {std::pair{"keys_led.xml", PicturePage::Lighting},
                              std::pair{"keys_macro.xml", PicturePage::Assignment}}) {
        const QString path = coords + file;
        if (!WriteCoordsFile(path.toStdString(), PageKeys(page))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: keylume-keymap <uires folder> | --check\n");
        return 2;
    }

    const std::vector<std::string> faults = checkGeometry();
    for (const std::string& f : faults) std::fprintf(stderr, "key geometry: %s\n", f.c_str());
    if (!faults.empty()) return 1;
    if (args[1] == "--check") return 0;

    if (!LegendFontAvailable()) {
        std::fprintf(stderr, "the font DejaVu Sans is not installed\n");
        return 1;
    }
    return writeAll(QDir(args[1])) ? 0 : 1;
}
