#pragma once
// Pictures of windows for the documentation, and the check that goes with
// them: every label, button and group title shows its whole text inside its
// window. Under the offscreen platform a window has no frame, so the picture
// gets a plain caption bar with the window's title drawn above it.
//
// Pictures are written only when TOLM_SCREENSHOTS names a folder:
//     TOLM_SCREENSHOTS=docs/screenshots build/tests/test_ui --gtest_filter='Screenshot*'

#include <QAbstractButton>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <QWidget>

// The controls of window whose text is cut off or that stick out of their
// parent, as "objectName: text".
inline QStringList ClippedControls(QWidget &window)
{
    QStringList clipped;
    const auto report = [&](const QWidget *w, const QString &text) {
        clipped.append((w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                  : w->objectName()) +
                       QStringLiteral(": ") + text);
    };
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&window))
            continue;
        if (w->parentWidget() && !w->parentWidget()->rect().contains(w->geometry())) {
            report(w, QStringLiteral("outside its parent"));
            continue;
        }
        const QFontMetrics metrics(w->font());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->pixmap().isNull() && !label->wordWrap()) {
                const QSize text = metrics.size(0, label->text());
                if (text.width() > label->contentsRect().width() || text.height() > label->contentsRect().height())
                    report(w, label->text());
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->width() < button->sizeHint().width() || button->height() < button->sizeHint().height())
                report(w, button->text());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            if (metrics.horizontalAdvance(group->title()) + 10 > group->width())
                report(w, group->title());
        }
    }
    return clipped;
}

// The window with a caption bar holding its title.
inline QImage ShotWithCaption(QWidget &window)
{
    const QImage client = window.grab().toImage();
    QFont captionFont = window.font();
    captionFont.setBold(true);
    const int bar = QFontMetrics(captionFont).height() + 10;
    QImage shot(client.width() + 2, client.height() + bar + 1, QImage::Format_RGB32);
    shot.fill(QColor(0x40, 0x55, 0x78));
    QPainter p(&shot);
    p.setFont(captionFont);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, shot.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    p.drawImage(1, bar, client);
    return shot;
}

// Writes the picture as name.png into the folder TOLM_SCREENSHOTS names;
// false when it is set and the picture cannot be written.
inline bool SaveShot(const QImage &shot, const QString &name)
{
    const QString folder = qEnvironmentVariable("TOLM_SCREENSHOTS");
    if (folder.isEmpty())
        return true;
    QDir().mkpath(folder);
    return shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
