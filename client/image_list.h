#pragma once
// The image list shared by the main window's lists (positions as in list_rules.h) and the pictures
// of the window's buttons.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vt {

// The icon at a position of the shared image list; a null icon for an empty position.
const QIcon &ImageListIcon(int position);
// A button picture by role name ("open", "save", "next", ...) at the given pixel size (16, 24, 32).
QPixmap ButtonImage(const QString &role, int size);
// The program's window icon.
QIcon AppIcon();

} // namespace vt
