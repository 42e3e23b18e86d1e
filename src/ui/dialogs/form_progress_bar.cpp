#include "ui/dialogs/form_progress_bar.h"

#include "ui/dialogs/dialog_frame.h"
#include "ui/dialogs/operator.h"

#include <QCloseEvent>

namespace {

constexpr int WindowWidth = 641;
constexpr int BarMargin = 8;

} // namespace

TFormProgressBar::TFormProgressBar(const QString &text, int total, bool closable)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           (closable ? Qt::WindowCloseButtonHint : Qt::WindowType(0)))
    , pbProgress(new QProgressBar(this))
    , m_text(text)
    , m_total(total)
{
    setObjectName(QStringLiteral("FormProgressBar"));
    setWindowTitle(QStringLiteral("Выполнено"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    pbProgress->setObjectName(QStringLiteral("pbProgress"));
    pbProgress->setRange(0, 100);
    pbProgress->setValue(0);
    // The percentage stands in the caption, next to the text.
    pbProgress->setTextVisible(false);
    const int barHeight = pbProgress->sizeHint().height();
    pbProgress->setGeometry(BarMargin, BarMargin, WindowWidth - 2 * BarMargin, barHeight);
    FixAndCentre(*this, QSize(WindowWidth, barHeight + 2 * BarMargin));
}

bool TFormProgressBar::SetStep(int step)
{
    const int position = ProgressPercent(step, m_total);
    if (position < 0 || position == pbProgress->value())
        return false;
    pbProgress->setValue(position);
    setWindowTitle(m_text + QLatin1Char(' ') + QString::number(position) + QLatin1Char('%'));
    return true;
}

void TFormProgressBar::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit ClosedByOperator();
}

void TFormProgressBar::ShowInactive()
{
    show();
    raise();
}
