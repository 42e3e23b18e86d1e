#include "app/window_position.h"

#include "app/ini_file.h"

TWindowGeometry RestoreWindowGeometry(const QString &iniFileName, const QString &name,
                                      const TWindowGeometry &current)
{
    const TIniFile ini(iniFileName);
    TWindowGeometry restored = current;
    restored.Left = ini.ReadInteger(name, QStringLiteral("Left"), current.Left);
    restored.Top = ini.ReadInteger(name, QStringLiteral("Top"), current.Top);
    const int width = ini.ReadInteger(name, QStringLiteral("Width"), current.Width);
    if (width > 0)
        restored.Width = width;
    const int height = ini.ReadInteger(name, QStringLiteral("Height"), current.Height);
    if (height > 0)
        restored.Height = height;
    const int state = ini.ReadInteger(name, QStringLiteral("WindowState"), current.WindowState);
    if (state >= TWindowGeometry::Normal && state <= TWindowGeometry::Maximized)
        restored.WindowState = state;
    return restored;
}

bool SaveWindowGeometry(const QString &iniFileName, const QString &name, const TWindowGeometry &geometry)
{
    TIniFile ini(iniFileName);
    ini.WriteString(name, QStringLiteral("Name"), name);
    ini.WriteInteger(name, QStringLiteral("Left"), geometry.Left);
    ini.WriteInteger(name, QStringLiteral("Top"), geometry.Top);
    ini.WriteInteger(name, QStringLiteral("Width"), geometry.Width);
    ini.WriteInteger(name, QStringLiteral("Height"), geometry.Height);
    ini.WriteInteger(name, QStringLiteral("WindowState"), geometry.WindowState);
    return ini.UpdateFile();
}
