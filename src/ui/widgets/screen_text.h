#pragma once
// The program's texts separate lines with a lone CR (character 13), as the
// workstations' message boxes and hints expect. Qt breaks lines at LF only,
// so texts are converted where they reach the screen and nowhere else.

#include <QString>

QString ScreenText(QString text);
