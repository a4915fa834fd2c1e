#include "widgets/EditEx.h"

namespace SOUI {

bool SEditEx::OnKeyDown(QKeyEvent* key) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    EventKeyEnter e(this);
    FireEvent(e);
    return true;
}

bool SEditEx::OnLeftButton(bool down) {
    if (down && IsDisabled()) EnableWindow(true);
    return true;
}

}  // namespace SOUI
