#pragma once
// An action of a tool window's menus and tool bar: the name tests and the
// operator's shortcuts know it by, its caption, and its hint shown as the
// tool tip and in the status bar.

class QAction;
class QObject;
class QString;

QAction *WindowAction(const char *name, const QString &caption, const QString &hint, QObject *parent);
