#include "ui/main/form_main_shortcuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// The Russian letter on the key of a Latin letter (ЙЦУКЕН over QWERTY).
Qt::Key russianOnSameKey(Qt::Key latin)
{
    switch (latin) {
    case Qt::Key_J: return Qt::Key(0x43e); // о
    case Qt::Key_G: return Qt::Key(0x43f); // п
    default: return latin;
    }
}

bool isLetter(const QKeyEvent *event, Qt::Key latin)
{
    const int key = event->key();
    const int russian = russianOnSameKey(latin);
    // Qt reports a Cyrillic letter as its lower- or upper-case code point.
    return key == latin || key == russian || key == int(QChar::toUpper(char32_t(russian)));
}

} // namespace

TMainShortcuts::TMainShortcuts(QWidget &mainWindow, Qt::Key fullModeLetter, Qt::Key extendedLetter)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_fullModeLetter(fullModeLetter),
      m_extendedLetter(extendedLetter)
{
    qApp->installEventFilter(this);
}

TMainShortcuts::~TMainShortcuts()
{
    qApp->removeEventFilter(this);
}

bool TMainShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (!isPropagation(watched, key))
            handle(key);
    }
    return false;
}

bool TMainShortcuts::isPropagation(QObject *watched, const QKeyEvent *event)
{
    const bool sameEvent = event == m_lastEvent && m_lastReceiver && watched->isWidgetType() &&
                           m_lastReceiver->isWidgetType() &&
                           static_cast<QWidget *>(m_lastReceiver.data())->parentWidget() == watched;
    m_lastEvent = event;
    m_lastReceiver = watched;
    return sameEvent;
}

void TMainShortcuts::handle(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12 && event->modifiers() == Qt::NoModifier) {
        m_mainWindow.setWindowState(m_mainWindow.windowState() & ~Qt::WindowMinimized);
        m_mainWindow.show();
        m_mainWindow.raise();
        m_mainWindow.activateWindow();
        return;
    }
    if (event->modifiers() != Qt::ControlModifier || event->isAutoRepeat())
        return;
    if (isLetter(event, m_fullModeLetter))
        emit FullModeChord();
    else if (isLetter(event, m_extendedLetter))
        emit ExtendedChord();
}
