#include "ui/windows/single_window.h"

#include "ui/windows/window_pos.h"

#include <QCloseEvent>
#include <QKeyEvent>

TSingleWindow::TSingleWindow(QWidget *&openSlot, const QString &name, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_openSlot(openSlot)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
}

TSingleWindow::~TSingleWindow()
{
    forget();
}

void TSingleWindow::RestorePosition()
{
    RestoreWindowPos(*this, objectName());
}

void TSingleWindow::forget()
{
    if (m_openSlot == this)
        m_openSlot = nullptr;
}

void TSingleWindow::closeEvent(QCloseEvent *event)
{
    SaveWindowPos(*this, objectName());
    Closing();
    // The window is freed once the event is handled; the next opening
    // makes a new one.
    forget();
    QWidget::closeEvent(event);
}

void TSingleWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
