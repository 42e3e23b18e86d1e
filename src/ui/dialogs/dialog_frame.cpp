#include "ui/dialogs/dialog_frame.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QPushButton *AddOkButton(QDialog &dialog)
{
    auto *button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setObjectName(QStringLiteral("btnOk"));
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    return button;
}

QPushButton *AddCancelButton(QDialog &dialog)
{
    auto *button = new QPushButton(QStringLiteral("Отменить"), &dialog);
    button->setObjectName(QStringLiteral("btnCancel"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
    return button;
}

int ButtonWidth(const QPushButton &button)
{
    return std::max(75, button.sizeHint().width());
}

void FixAndCentre(QWidget &window, const QSize &clientSize)
{
    window.setFixedSize(clientSize);
    window.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - QPoint(clientSize.width() / 2, clientSize.height() / 2));
}
