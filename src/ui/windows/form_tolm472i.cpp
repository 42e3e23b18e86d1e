#include "ui/windows/form_tolm472i.h"

#include "app/app_context.h"
#include "device/tolm472.h"
#include "ui/widgets/bgr_color.h"
#include "ui/widgets/vhistogram.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString kTolm472ISection = QStringLiteral("FormTolm472I");

constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kRed = 0x0000FF;

// A small picture of a time graph beside a reading; a click opens that
// reading's graph.
class TGraphIcon final : public QLabel
{
public:
    TGraphIcon(const QString &hint, std::function<void()> onClick, QWidget *parent)
        : QLabel(parent), m_onClick(std::move(onClick))
    {
        setPixmap(picture());
        setToolTip(hint);
        setCursor(Qt::PointingHandCursor);
        setFixedSize(18, 18);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
        QLabel::mouseReleaseEvent(event);
    }

private:
    static QPixmap picture()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::white);
        QPainter p(&pixmap);
        p.setPen(QColor(128, 128, 128));
        p.drawRect(0, 0, 15, 15);
        p.setPen(Qt::black);
        p.drawLine(2, 2, 2, 13);
        p.drawLine(2, 13, 13, 13);
        p.setPen(QPen(QColor(0, 0, 255), 1));
        const QPoint trace[] = {{3, 10}, {5, 7}, {7, 9}, {9, 4}, {11, 6}, {13, 3}};
        p.drawPolyline(trace, 6);
        return pixmap;
    }

    std::function<void()> m_onClick;
};

} // namespace

TFormTolm472I::TFormTolm472I(Ttolm472 &model, TMainServices &services, QWidget *parent)
    : TSingleWindow(openWindow<TFormTolm472I>(), kTolm472ISection, parent,
                    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model), m_services(services)
{
    setWindowTitle(QStringLiteral("Показания ТОЛМ47xИ"));
    buildLayout();
    resize(400, 251);

    RestorePosition();
    m_barLevel.SetValueControl(m_vhLevel);
    m_textLevel.SetValueControl(m_stxLevel);
    m_level.SetValueControl(m_lblLevel);
    m_reserve.SetValueControl(m_lblReserve);
    m_levelFree.SetValueControl(m_lblLevelFree);
    m_distance.SetValueControl(m_lblDistance);
    m_temp.SetValueControl(m_lblTemp);
    // Linked with a copy of the present value, so a window opened again
    // shows the readings at once instead of zeros until the next answer.
    m_barLevel.SetSource(&model.Readings.Level, true);
    m_textLevel.SetSource(&model.Readings.Level, true);
    m_level.SetSource(&model.Readings.Level, true);
    m_reserve.SetSource(&model.Readings.Reserve, true);
    m_levelFree.SetSource(&model.Readings.LevelFree, true);
    m_distance.SetSource(&model.Readings.Distance, true);
    m_temp.SetSource(&model.Readings.Temp, true);
    copyDescriptions();
}

TFormTolm472I::~TFormTolm472I()
{
    Closing();
}

QColor TFormTolm472I::ReadingsColor(int lastErrorCode)
{
    if (lastErrorCode == 0)
        return ColorFromBGR(kButtonFace);
    if (lastErrorCode >= 10 && lastErrorCode <= 12)
        return ColorFromBGR(kYellow);
    return ColorFromBGR(kRed);
}

void TFormTolm472I::buildLayout()
{
    m_vhLevel = new TVHistogram(this);
    m_vhLevel->setObjectName(QStringLiteral("vhLevel"));
    m_vhLevel->SetColorProduct(0x800000);
    m_vhLevel->SetColorEmpty(kButtonFace);
    m_vhLevel->SetColorScale(0x808080);
    m_vhLevel->SetColorValues(0x808080);
    m_vhLevel->SetColorZoneAlarm(kRed);
    m_vhLevel->SetColorZoneAttention(kYellow);
    m_vhLevel->SetShowScaleMarks(true);
    m_vhLevel->SetShowValues(true);
    m_vhLevel->SetShowScaleZones(false);
    m_vhLevel->SetScaleAlignment(TVHistogram::saLeft);
    m_vhLevel->setMinimumSize(90, 150);
    m_vhLevel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    m_stxLevel = new QLabel(this);
    m_stxLevel->setObjectName(QStringLiteral("stxLevel"));
    m_stxLevel->setAlignment(Qt::AlignCenter);
    m_stxLevel->setFixedWidth(90);

    auto *left = new QVBoxLayout;
    left->addWidget(m_vhLevel, 1);
    left->addWidget(m_stxLevel);

    m_readings = new QGroupBox(QStringLiteral("Показания"), this);
    m_readings->setObjectName(QStringLiteral("gbReadings"));
    m_readings->setAutoFillBackground(true);
    auto *rows = new QGridLayout(m_readings);
    rows->setColumnStretch(1, 1);
    rows->setHorizontalSpacing(12);
    m_lblDistance = addRow("lblDistance", QStringLiteral("Расстояние до продукта, мм"), "imgDistance",
                           QStringLiteral("График \"Расстояние\""), QStringLiteral("actGraphDistance"))
                        .value;
    m_lblLevelFree = addRow("lblLevelFree", QStringLiteral("Свободное пространство, мм"), "imgLevelFree",
                            QStringLiteral("График \"Свободное пространство\""), QStringLiteral("actGraphLevelFree"))
                         .value;
    m_lblLevel = addRow("lblLevel", QStringLiteral("Уровень, мм"), "imgLevel", QStringLiteral("График \"Уровень\""),
                        QStringLiteral("actGraphLevel"))
                     .value;
    m_lblTemp = addRow("lblTemp", QStringLiteral("Температура, °С"), "imgTemper",
                       QStringLiteral("График \"Температура\""), QStringLiteral("actGraphTmp"))
                    .value;
    const TRow reserve = addRow("lblReserve", QStringLiteral("Резерв"));
    const TRow current = addRow("lblCurrentOutput", QStringLiteral("Токовый выход, мА"), "imgCurrentOutput",
                                QStringLiteral("График \"Ток\""), QStringLiteral("actGraphCurrentOutputShow"));
    m_lblReserve = reserve.value;
    m_lblCurrentOutput = current.value;
    m_fullModeOnly = {reserve.title, reserve.value, current.title, current.value, current.icon};

    auto *errors = new QGroupBox(QStringLiteral("Ошибки"), this);
    errors->setObjectName(QStringLiteral("gbErrors"));
    auto *errorRows = new QGridLayout(errors);
    m_lblErrorByte = new QLabel(errors);
    m_lblErrorByte->setObjectName(QStringLiteral("lblErrorByte"));
    m_lblErrorMessage = new QLabel(errors);
    m_lblErrorMessage->setObjectName(QStringLiteral("lblErrorMessage"));
    m_lblErrorMessage->setWordWrap(true);
    errorRows->addWidget(new QLabel(QStringLiteral("Номер ошибки"), errors), 0, 0);
    errorRows->addWidget(m_lblErrorByte, 0, 1);
    errorRows->setColumnStretch(1, 1);
    errorRows->addWidget(m_lblErrorMessage, 1, 0, 1, 2);

    auto *right = new QVBoxLayout;
    right->addWidget(m_readings);
    right->addWidget(errors);
    right->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

TFormTolm472I::TRow TFormTolm472I::addRow(const char *name, const QString &title, const char *iconName,
                                          const QString &iconHint, const QString &action)
{
    auto *grid = static_cast<QGridLayout *>(m_readings->layout());
    const int row = grid->rowCount();
    TRow r{new QLabel(title, m_readings), new QLabel(m_readings), nullptr};
    r.value->setObjectName(QLatin1String(name));
    r.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(r.title, row, 0);
    grid->addWidget(r.value, row, 1);
    if (iconName) {
        r.icon = new TGraphIcon(iconHint, [this, action] { m_services.ExecuteAction(action); }, m_readings);
        r.icon->setObjectName(QLatin1String(iconName));
        grid->addWidget(r.icon, row, 2);
    }
    return r;
}

std::array<TIODoubleVisual *, 7> TFormTolm472I::visuals()
{
    return {&m_barLevel, &m_textLevel, &m_level, &m_reserve, &m_levelFree, &m_distance, &m_temp};
}

void TFormTolm472I::copyDescriptions()
{
    m_barLevel.Description.Assign(m_model.Readings.Level.Description);
    m_textLevel.Description.Assign(m_model.Readings.Level.Description);
    m_level.Description.Assign(m_model.Readings.Level.Description);
    m_reserve.Description.Assign(m_model.Readings.Reserve.Description);
    m_levelFree.Description.Assign(m_model.Readings.LevelFree.Description);
    m_distance.Description.Assign(m_model.Readings.Distance.Description);
    m_temp.Description.Assign(m_model.Readings.Temp.Description);
}

void TFormTolm472I::UpdateView()
{
    const bool full = AppContext().Flags.FullMode;
    for (QWidget *w : m_fullModeOnly)
        w->setVisible(full);

    m_lblErrorByte->setText(QString::number(m_model.LastErrorCode));
    m_lblErrorMessage->setText(m_model.LastErrorText);

    copyDescriptions();

    // The scale runs over the measurable level; marks every tenth and
    // twentieth of it. The range goes first: the steps must lie inside it.
    const double lmax = m_model.Config.Lmax();
    m_vhLevel->SetDecimalSign(0);
    m_vhLevel->SetRange(lmax, 0);
    m_vhLevel->SetDValueBig(lmax * 0.1);
    m_vhLevel->SetDValueSmall(lmax * 0.05);

    for (TIODoubleVisual *visual : visuals())
        visual->Show();

    QPalette palette = m_readings->palette();
    palette.setColor(QPalette::Window, ReadingsColor(m_model.LastErrorCode));
    m_readings->setPalette(palette);

    m_lblCurrentOutput->setText(m_model.Readings.CurrentOutput.AsText(false, false));
    fitMinimumSize();
}

// Never smaller than 400 x 251, and never so small that a row title or the
// status text is cut: the full-mode rows are wider, and a long status text
// wraps onto more lines.
void TFormTolm472I::fitMinimumSize()
{
    QSize least = QSize(400, 251).expandedTo(layout()->totalMinimumSize());
    least.setHeight(qMax(least.height(), layout()->totalHeightForWidth(qMax(width(), least.width()))));
    if (least != minimumSize())
        setMinimumSize(least);
}

void TFormTolm472I::showEvent(QShowEvent *event)
{
    UpdateView();
    QWidget::showEvent(event);
    // Measured before the window was first on screen, its labels had not
    // got the style's font yet and the titles came out a few pixels short
    // ("…, мк" before the first poll): measured again once it is shown.
    QTimer::singleShot(0, this, [this] { fitMinimumSize(); });
}

// The visual values stop listening to the model before the window goes.
void TFormTolm472I::Closing()
{
    for (TIODoubleVisual *visual : visuals())
        visual->SetSource(nullptr, false);
}
