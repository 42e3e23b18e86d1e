#include "ui/windows/form_select_cmd.h"

#include "app/app_context.h"
#include "protocol/command_codes.h"
#include "link/request_cycle.h"

#include <QCheckBox>
#include <QFrame>
#include <QVBoxLayout>

namespace {

const QString kSelectCmdSection = QStringLiteral("FormSelectCMD");
constexpr int kMeterEntry = 1; // the current-loop meter in the device list

QCheckBox *MakeBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

TFormSelectCMD::TFormSelectCMD(TRequestCycle &cycle, QWidget *parent)
    : TSingleWindow(openWindow<TFormSelectCMD>(), kSelectCmdSection, parent,
                    Qt::Window),
      chbEcho(MakeBox("chbEcho", QStringLiteral("Эхо"), this)),
      chbLevel(MakeBox("chbLevel", QStringLiteral("Уровень текущий"), this)),
      chbLevelAll(MakeBox("chbLevelAll", QStringLiteral("Все параметры"), this)),
      chbLevelFree(MakeBox("chbLevelFree", QStringLiteral("Свободное пространство"), this)),
      chbDistance(MakeBox("chbDistance", QStringLiteral("Расстояние"), this)),
      chbTemp(MakeBox("chbTemp", QStringLiteral("Температура"), this)),
      chbReserve(MakeBox("chbReserve", QStringLiteral("Резерв"), this)),
      chbUsil(MakeBox("chbUsil", QStringLiteral("Усиление"), this)),
      chbCurrentOutput(MakeBox("chbCurrentOutput", QStringLiteral("Токовый выход"), this)),
      chbSelectAll(MakeBox("chbSelectAll", QStringLiteral("Выделить все"), this)),
      m_cycle(cycle)
{
    setWindowTitle(QStringLiteral("Команды ТОЛМ47xИ"));
    chbSelectAll->setToolTip(QStringLiteral("Выделить все команды"));

    auto *layout = new QVBoxLayout(this);
    for (QCheckBox *box : {chbEcho, chbLevel, chbLevelAll, chbLevelFree, chbDistance, chbTemp, chbReserve, chbUsil,
                           chbCurrentOutput})
        layout->addWidget(box);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addWidget(chbSelectAll);
    // The window is as large as the boxes shown: it shrinks and grows with
    // full mode.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    bindCommand(chbEcho, Echo);
    bindCommand(chbLevel, LevelRead);
    bindCommand(chbLevelAll, LevelAllRead);
    bindCommand(chbLevelFree, LevelFreeRead);
    bindCommand(chbDistance, DistanceRead);
    bindCommand(chbTemp, TempRead);
    bindCommand(chbReserve, ReserveRead);
    bindCommand(chbUsil, UsilRead);
    // A window opened again shows the poll set as it stands instead of
    // pretending it is empty.
    chbCurrentOutput->setChecked(m_cycle.Device(kMeterEntry).Enabled);
    connect(chbCurrentOutput, &QCheckBox::toggled, this, &TFormSelectCMD::chbCurrentOutputClick);
    connect(chbSelectAll, &QCheckBox::toggled, this, &TFormSelectCMD::chbSelectAllClick);

    RestorePosition();
    chbLevelAll->setChecked(true);
    UpdateView();
}

void TFormSelectCMD::UpdateView()
{
    const bool full = AppContext().Flags.FullMode;
    chbReserve->setVisible(full);
    chbUsil->setVisible(full);
    chbCurrentOutput->setVisible(full);
}

void TFormSelectCMD::bindCommand(QCheckBox *box, int code)
{
    box->setChecked(m_cycle.IsPolled(code));
    connect(box, &QCheckBox::toggled, this, [this, code](bool checked) { m_cycle.SetPolled(code, checked); });
}

void TFormSelectCMD::chbCurrentOutputClick(bool checked)
{
    m_cycle.SetDeviceEnabled(kMeterEntry, checked);
}

// "Резерв" follows even while hidden; outside full mode the gain and the
// meter are always switched off, whatever "Выделить все" says.
void TFormSelectCMD::chbSelectAllClick(bool checked)
{
    for (QCheckBox *box : {chbEcho, chbLevel, chbReserve, chbLevelAll, chbLevelFree, chbDistance})
        box->setChecked(checked);
    const bool full = AppContext().Flags.FullMode;
    chbUsil->setChecked(full && checked);
    chbCurrentOutput->setChecked(full && checked);
    chbTemp->setChecked(checked);
}

void TFormSelectCMD::showEvent(QShowEvent *event)
{
    UpdateView();
    QWidget::showEvent(event);
}

