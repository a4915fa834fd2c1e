#pragma once

#include <QColor>

// The dark theme every generated picture shares; the README lists the same
// values for the layouts' colour table.
namespace Palette {

inline const QColor WINDOW{0x1c, 0x1f, 0x25};  // window and page background
inline const QColor PANEL{0x23, 0x27, 0x2e};   // raised panels, fields
inline const QColor PANEL_HOVER{0x2d, 0x32, 0x3b};
inline const QColor PANEL_PUSHED{0x19, 0x1c, 0x21};
inline const QColor BORDER{0x3a, 0x3f, 0x49};
inline const QColor TEXT{0xd4, 0xd8, 0xdf};
inline const QColor TEXT_MUTED{0x8b, 0x92, 0x9e};
inline const QColor TEXT_DISABLED{0x4e, 0x53, 0x5c};
inline const QColor ACCENT{0x3f, 0xa7, 0xff};
inline const QColor ACCENT_DARK{0x2a, 0x7f, 0xd0};
inline const QColor ACCENT_LIGHT{0x7c, 0xc4, 0xff};
inline const QColor DANGER{0xe8, 0x4a, 0x4a};
inline const QColor RECORD{0xf0, 0x3e, 0x4f};

inline const QColor CASE{0x16, 0x18, 0x1d};
inline const QColor CASE_EDGE{0x2a, 0x2e, 0x36};

}  // namespace Palette
