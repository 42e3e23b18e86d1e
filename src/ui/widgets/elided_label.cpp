#include "ui/widgets/elided_label.h"

#include <QResizeEvent>

namespace {

constexpr int ShortestShown = 8; // characters, "…" included

} // namespace

TElidedLabel::TElidedLabel(QWidget *parent, Qt::TextElideMode mode) : QLabel(parent), m_mode(mode)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TElidedLabel::SetFullText(const QString &text)
{
    m_full = text;
    setToolTip(text);
    elide();
    updateGeometry();
}

QSize TElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_full) + margins.left() + margins.right() + 2 * margin(),
            QLabel::sizeHint().height()};
}

QSize TElidedLabel::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * ShortestShown, QLabel::minimumSizeHint().height()};
}

void TElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void TElidedLabel::elide()
{
    const int room = contentsRect().width() - 2 * margin();
    setText(fontMetrics().elidedText(m_full, m_mode, qMax(room, 0)));
}
