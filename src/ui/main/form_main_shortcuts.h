#pragma once
// The program's keys that work in every one of its windows: F12 brings the
// main window up, and two hidden chords (Ctrl with a letter) switch the
// factory's full mode and the extended parameters. The keys are only
// watched, never taken: the window in use still gets them.
//
// The chords answer to the letter's key in the Latin and in the Russian
// layout alike, so the engineer need not switch the keyboard first.

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

class TMainShortcuts final : public QObject
{
    Q_OBJECT
public:
    // Watches every key press of the application while it exists.
    TMainShortcuts(QWidget &mainWindow, Qt::Key fullModeLetter, Qt::Key extendedLetter);
    ~TMainShortcuts() override;

signals:
    void FullModeChord();
    void ExtendedChord();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The same key press travels from the focused widget up to its window
    // and passes the filter at each step; only the first step counts.
    bool isPropagation(QObject *watched, const QKeyEvent *event);
    void handle(const QKeyEvent *event);

    QWidget &m_mainWindow;
    const Qt::Key m_fullModeLetter;
    const Qt::Key m_extendedLetter;
    const QKeyEvent *m_lastEvent = nullptr;
    QPointer<QObject> m_lastReceiver;
};
