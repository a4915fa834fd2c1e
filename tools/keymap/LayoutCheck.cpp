#include "LayoutCheck.h"

#include <QRect>
#include <QString>

#include "KeyCode.h"

namespace {

std::string describe(std::size_t index, const KeyPlace& key) {
    return "key " + std::to_string(index) + " (" +
           QString::fromStdWString(std::wstring(key.name)).toStdString() + ")";
}

}  // namespace

std::vector<std::string> CheckPictureKeys(const std::vector<KeyPlace>& keys, int expectedCount,
                                          QSize picture) {
    std::vector<std::string> faults;
    if (static_cast<int>(keys.size()) != expectedCount)
        faults.push_back("expected " + std::to_string(expectedCount) + " keys, have " +
                         std::to_string(keys.size()));
    const QRect bounds(QPoint(0, 0), picture);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QRect r = PictureGeometry::KeyRect(keys[i]);
        if (r.isEmpty() || !bounds.contains(r))
            faults.push_back(describe(i, keys[i]) + " lies outside the picture");
        if (KeyCodeOf(keys[i].name) < 0)
            faults.push_back(describe(i, keys[i]) + " has no entry in the key table");
        for (std::size_t j = 0; j < i; ++j)
            if (r.intersects(PictureGeometry::KeyRect(keys[j])))
                faults.push_back(describe(i, keys[i]) + " overlaps " + describe(j, keys[j]));
    }
    return faults;
}

std::vector<std::string> CheckKeyOrders(const std::vector<KeyPlace>& coded,
                                        const std::vector<KeyPlace>& lit) {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < lit.size(); ++i) {
        const bool same = i < coded.size() && coded[i].name == lit[i].name &&
                          PictureGeometry::KeyRect(coded[i]) == PictureGeometry::KeyRect(lit[i]);
        if (!same) faults.push_back(describe(i, lit[i]) + " is not key code " + std::to_string(i));
    }
    return faults;
}
