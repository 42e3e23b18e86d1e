#pragma once
// A label for a text that may be longer than the room a window gives it (a
// port path, a folder): it shows as much as fits with "…" where it is cut,
// so a cut is visible, and the whole text as its tool tip. It asks the
// layout for room for the whole text but makes do with a few characters.

#include <QLabel>

class TElidedLabel final : public QLabel
{
public:
    explicit TElidedLabel(QWidget *parent = nullptr, Qt::TextElideMode mode = Qt::ElideMiddle);

    void SetFullText(const QString &text);
    const QString &FullText() const { return m_full; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString m_full;
    Qt::TextElideMode m_mode;
};
