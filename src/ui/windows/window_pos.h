#pragma once
// Every window of the program comes back where the operator left it: its
// position, size and state are kept in "INI/WndPos.ini" under the start
// folder, in the section named after the window ("FormMain", "FormReqAns",
// ...). Dialog boxes do not take part.

#include <QString>

class QWidget;

// Applies the stored Left, Top, Width, Height and WindowState; a missing
// file, section or key leaves that property as the layout made it.
void RestoreWindowPos(QWidget &window, const QString &name);
// Writes the window's present geometry into its section, creating the file
// when missing. False when it could not be written (the window closes
// anyway; the next start uses the layout's geometry).
bool SaveWindowPos(const QWidget &window, const QString &name);
