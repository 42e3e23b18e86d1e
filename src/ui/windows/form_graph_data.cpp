// The time graph's data: opening a slot, loading the archive, live points
// from the reading feed, the two modes and the settings file.
#include "ui/windows/form_graph.h"

#include "archive/archive_name.h"
#include "archive/archive_stamp.h"
#include "series/series_load_job.h"
#include "session/reading_feed.h"
#include "ui/dialogs/form_range_dt.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/graph_axis.h"
#include "ui/windows/graph_settings.h"
#include "values/clock.h"
#include "values/float_format.h"

#include <QAction>
#include <QLabel>
#include <qcustomplot.h>

namespace {

const QString LoadingText = QStringLiteral("Загрузка архива");

} // namespace

int TFormGraph::OpenGraph(int slot, const QString &tableName, const TIODouble *value, const QString &caption,
                          TDateTime stop, TDateTime start, const TSources &sources)
{
    if (slot < 1 || slot > SlotCount)
        return 0;
    try {
        TFormGraph *window = Instance(slot);
        if (!window) {
            window = new TFormGraph(slot, sources);
            openSlot(slot) = window;
            window->open(tableName, value, caption, stop, start);
        }
        window->show();
        window->raise();
        window->activateWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

void TFormGraph::open(const QString &tableName, const TIODouble *value, const QString &caption, TDateTime stop,
                      TDateTime start)
{
    m_yRange = 0;
    setWindowTitle(caption);
    m_table = TrimArchiveName(tableName);
    m_rangeDT.SetRange(stop, start);
    m_liveSlot = value != nullptr;
    if (value) {
        m_value.Assign(*value);
        setupAxes(*m_chart);
        const TDescriptionOfDouble &d = m_value.Description;
        if (d.Min() <= d.Max())
            setValueRange(d.Min(), d.Max());
    }
    bindLive(m_liveSlot);
    const TGraphSettings settings = TGraphSettings::Load(TGraphSettings::FileName());
    m_stepIndex = settings.StepIndex;
    setPoints(settings.Points);
    setScan(settings.Scan);
    m_yRange = settings.YRange;
    loadArchive([this] {
        // Without a value's range the value axis shows what was loaded.
        if (m_liveSlot)
            showAllX();
        else
            showAll();
        applyStep(m_stepIndex);
    });
    updateModeChecks();
    updateStatus();
}

void TFormGraph::loadArchive(std::function<void()> after)
{
    m_load.reset();
    m_series.Clear();
    m_liveDuringLoad.clear();
    refillChart();
    TSeriesRequest request =
        TSeriesRequest::Period(m_sources.DbPath, m_table, DateTimeToQDateTime(m_rangeDT.Start()),
                               DateTimeToQDateTime(m_rangeDT.Stop()));
    m_load = std::make_unique<TSeriesLoadJob>(
        this, request, m_sources.Reader,
        [](int done, int total) { Operator().ShowProgress(LoadingText, done, total); },
        [this, after = std::move(after)](TSeriesLoad &load) { loaded(load, after); });
}

void TFormGraph::loaded(TSeriesLoad &load, const std::function<void()> &after)
{
    m_series = std::move(load.Series);
    m_load.reset();
    for (const TSeriesPoint &point : m_liveDuringLoad)
        m_series.Append(point.Stamp, point.Value);
    m_liveDuringLoad.clear();
    Operator().CloseProgress();
    refillChart();
    updateScrollBar();
    updateStatus();
    if (m_series.Empty())
        Operator().Warning(QStringLiteral("Отсутствуют данные"));
    after();
}

void TFormGraph::afterLoad()
{
    setPoints(m_showPoints);
    setScan(false);
    showAllX();
    applyStep(m_stepIndex);
    updateModeChecks();
    updateStatus();
}

void TFormGraph::bindLive(bool on)
{
    if (m_feedId != 0 && m_sources.Feed)
        m_sources.Feed->Unsubscribe(m_feedId);
    m_feedId = 0;
    if (on && m_liveSlot && m_sources.Feed)
        m_feedId = m_sources.Feed->Subscribe([this](const TReading &reading) { onReading(reading); });
}

void TFormGraph::onReading(const TReading &reading)
{
    for (const TArchivedValue &v : reading.values)
        if (v.name == m_table)
            addLivePoint(ArchiveStamp(reading.stamp), v.value);
}

void TFormGraph::addLivePoint(qint64 stamp, double value)
{
    m_value.SetValue(value);
    m_hasValue = true;
    const TDescriptionOfDouble &d = m_value.Description;
    m_panels[3]->setText(d.Digits == 255 ? QString()
                                         : FloatToStrF(value, TDescriptionOfDouble::ffFixed, d.Precision, d.Digits));
    if (m_load) {
        // Drawn once the archive is in (a reading the archive also returns
        // is drawn once).
        m_liveDuringLoad.push_back({stamp, value});
        return;
    }
    if (!m_series.Append(stamp, value))
        return;
    if (m_scan) {
        scrollTo(100);
    } else if (m_autoX) {
        showAllX();
    } else {
        refillChart();
        scheduleReplot();
    }
    if (m_scan)
        set4Millimeters();
    updateStatus();
    updateScrollBar();
}

void TFormGraph::setCurrent()
{
    m_archive = false;
    m_rangeDT = TRangeDT();
    bindLive(true);
    loadArchive([this] { afterLoad(); });
    updateModeChecks();
    updateStatus();
}

void TFormGraph::setStartStop()
{
    TFormRangeDT dialog(m_rangeDT.Start(), m_rangeDT.Stop(), this);
    if (dialog.exec() != QDialog::Accepted) {
        updateModeChecks();
        return;
    }
    m_archive = true;
    m_rangeDT.SetRange(dialog.Stop(), dialog.Start());
    bindLive(false);
    loadArchive([this] { afterLoad(); });
    updateModeChecks();
    updateStatus();
}

void TFormGraph::updateModeChecks()
{
    Action(QStringLiteral("actCurrent"))->setChecked(!m_archive);
    Action(QStringLiteral("actStartStopDT"))->setChecked(m_archive);
    Action(QStringLiteral("actScanEndOn"))->setEnabled(!m_archive);
}

void TFormGraph::setPoints(bool on)
{
    m_showPoints = on;
    Action(QStringLiteral("actPointsTrue"))->setChecked(on);
    Action(QStringLiteral("actPointsFalse"))->setChecked(!on);
    refillChart();
    scheduleReplot();
}

void TFormGraph::setScan(bool on)
{
    if (on && m_archive)
        return;
    m_scan = on;
    Action(QStringLiteral("actScanEndOn"))->setChecked(on);
    Action(QStringLiteral("actScanEndOff"))->setChecked(!on);
    if (on)
        set4Millimeters();
}

void TFormGraph::changeYRange()
{
    const TDescriptionOfDouble &d = m_value.Description;
    const double span = d.Max() - d.Min();
    const double entered = Operator().InputDouble(QStringLiteral("Введите"), QStringLiteral("Диапазон Y"),
                                                  d.Digits == 255 ? 0 : d.Digits, span, 0, m_yRange);
    if (entered > 0 && entered <= span)
        m_yRange = entered;
}

void TFormGraph::saveSettings() const
{
    TGraphSettings settings;
    settings.StepIndex = m_stepIndex;
    settings.Points = m_showPoints;
    settings.Scan = m_scan;
    settings.YRange = m_yRange;
    settings.Save(TGraphSettings::FileName());
}

void TFormGraph::Closing()
{
    if (m_load) {
        m_load.reset();
        Operator().CloseProgress();
    }
    bindLive(false);
    saveSettings();
}
