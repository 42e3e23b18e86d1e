#include "ui/windows/parameter_rows.h"

#include "device/parameter_table.h"
#include "ui/main/main_services.h"
#include "ui/main/parameter_actions.h"
#include "ui/windows/parameter_texts.h"

#include <QFrame>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

// An arrow going down into the gauge.
QIcon writeIcon()
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(5, 1, 4, 6);
    const QPointF head[] = {{1.5, 7}, {12.5, 7}, {7, 12.5}};
    p.drawPolygon(head, 3);
    p.fillRect(1, 13, 12, 1, QColor(64, 64, 64));
    return QIcon(pixmap);
}

} // namespace

TValueLink::TValueLink(std::function<void()> onClick, QWidget *parent) : QLabel(parent), m_onClick(std::move(onClick))
{
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    // Blue while it can be clicked; the disabled look stays the style's grey.
    QPalette blue = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        blue.setColor(group, QPalette::WindowText, QColor(0, 0, 255));
    setPalette(blue);
}

void TValueLink::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_onClick)
        m_onClick();
    QLabel::mouseReleaseEvent(event);
}

QToolButton *MakeWriteButton(const QString &action, TMainServices &services, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(writeIcon());
    button->setToolTip(QStringLiteral("Записать в прибор"));
    button->setAutoRaise(false);
    QObject::connect(button, &QToolButton::clicked, button, [&services, action] { services.ExecuteAction(action); });
    return button;
}

int TParameterRows::AddPlace(TParameterPlace place, QGridLayout &grid, QWidget *parent, int firstRow)
{
    std::vector<const TParameter *> shown;
    for (const TParameter &p : ParameterTable())
        if (const TParameterView &view = ParameterTexts(p).View; view.Place == place && view.Label)
            shown.push_back(&p);
    std::sort(shown.begin(), shown.end(), [](const TParameter *a, const TParameter *b) {
        return ParameterTexts(*a).View.Order < ParameterTexts(*b).View.Order;
    });

    int row = firstRow;
    for (const TParameter *p : shown) {
        const QString name = QString::fromLatin1(p->Name);
        if (ParameterTexts(*p).View.LineBefore && row > firstRow) {
            auto *line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            grid.addWidget(line, row++, 0, 1, 3);
        }
        TRow r{p, new QLabel(ViewLabel(*p), parent), nullptr, nullptr};
        r.Title->setObjectName(QStringLiteral("lbl") + name + QStringLiteral("Title"));
        const QString change = ChangeActionName(*p);
        if (change.isEmpty())
            r.Value = new QLabel(parent);
        else
            r.Value = new TValueLink([this, change] { m_services.ExecuteAction(change); }, parent);
        r.Value->setObjectName(QStringLiteral("lbl") + name);
        r.Value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid.addWidget(r.Title, row, 0);
        grid.addWidget(r.Value, row, 1);
        if (const QString write = ViewWriteActionName(*p); !write.isEmpty()) {
            r.Write = MakeWriteButton(write, m_services, parent);
            r.Write->setObjectName(QStringLiteral("btn") + name + QStringLiteral("Write"));
            grid.addWidget(r.Write, row, 2);
        }
        m_rows.append(r);
        ++row;
    }
    return row;
}

void TParameterRows::Show(const Ttolm472 &model)
{
    for (const TRow &row : m_rows) {
        const QString text = ViewText(*row.Parameter, model);
        if (row.Value->text() != text)
            row.Value->setText(text);
    }
}

void TParameterRows::SetEditable(bool enabled)
{
    for (const TRow &row : m_rows) {
        if (dynamic_cast<TValueLink *>(row.Value))
            row.Value->setEnabled(enabled);
        if (row.Write)
            row.Write->setEnabled(enabled);
    }
}

const TParameterRows::TRow *TParameterRows::Find(const char *name) const
{
    for (const TRow &row : m_rows)
        if (qstrcmp(row.Parameter->Name, name) == 0)
            return &row;
    return nullptr;
}
