#pragma once
// Position and size of a window between runs, kept in "INI/WndPos.ini" under
// the start folder, one section per window named after its component name
// ("FormMain", "FormReqAns", ...). No widget here: the windows hand in their
// geometry and apply what comes back.

#include <QString>

struct TWindowGeometry {
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int WindowState = Normal;

    bool operator==(const TWindowGeometry &) const = default;
};

// The stored geometry of the window; every key that is missing or does not
// parse leaves the current value. A width or height below 1 or an unknown
// window state is also ignored: it would make the window unreachable.
TWindowGeometry RestoreWindowGeometry(const QString &iniFileName, const QString &name,
                                      const TWindowGeometry &current);
// Writes "Name", "Left", "Top", "Width", "Height" and "WindowState" into the
// window's section, creating the file (not its folder) when missing.
bool SaveWindowGeometry(const QString &iniFileName, const QString &name, const TWindowGeometry &geometry);
