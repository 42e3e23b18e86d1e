#include "ui/windows/window_pos.h"

#include "app/app_context.h"
#include "app/window_position.h"

#include <QWidget>

namespace {

TWindowGeometry GeometryOf(const QWidget &window)
{
    TWindowGeometry g;
    // A minimised or maximised window keeps its normal rectangle, so it
    // comes back to that size when the operator restores it.
    const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    const QPoint frameOffset = window.geometry().topLeft() - window.pos();
    g.Left = normal.left() - frameOffset.x();
    g.Top = normal.top() - frameOffset.y();
    g.Width = normal.width();
    g.Height = normal.height();
    g.WindowState = window.isMinimized()   ? TWindowGeometry::Minimized
                    : window.isMaximized() ? TWindowGeometry::Maximized
                                           : TWindowGeometry::Normal;
    return g;
}

} // namespace

void RestoreWindowPos(QWidget &window, const QString &name)
{
    const TWindowGeometry stored = RestoreWindowGeometry(AppContext().WndPosIni(), name, GeometryOf(window));
    window.move(stored.Left, stored.Top);
    window.resize(stored.Width, stored.Height);
    switch (stored.WindowState) {
    case TWindowGeometry::Minimized: window.setWindowState(Qt::WindowMinimized); break;
    case TWindowGeometry::Maximized: window.setWindowState(Qt::WindowMaximized); break;
    default: window.setWindowState(Qt::WindowNoState); break;
    }
}

bool SaveWindowPos(const QWidget &window, const QString &name)
{
    return SaveWindowGeometry(AppContext().WndPosIni(), name, GeometryOf(window));
}
