// The time graph's data: opening a slot, loading the archive, live points
// from the reading feed, the two modes and the settings file.
#include "ui/windows/form_graph.h"

#include "archive/archive_name.h"
#include "archive/archive_stamp.h"
#include "session/feed.h"
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
        setupValueAxis(*m_chart);
        const TDescriptionOfDouble &d = m_value.Description;
        if (d.Min() <= d.Max())
            setValueRange(d.Min(), d.Max());
    }
    bindLive(m_liveSlot);
    const TGraphSettings settings = TGraphSettings::Load(TGraphSettings::FileName());
    applySettings(settings);
    m_yRange = settings.YRange.value_or(0);
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
    stopLoad();
    m_series.Clear();
    m_liveDuringLoad.clear();
    refillChart();
    startLoad(TSeriesRequest::Period(m_sources.DbPath, m_table, DateTimeToQDateTime(m_rangeDT.Start()),
                                     DateTimeToQDateTime(m_rangeDT.Stop())),
              LoadingText, [this, after = std::move(after)](TSeriesLoad &load) { loaded(load, after); });
}

void TFormGraph::loaded(TSeriesLoad &load, const std::function<void()> &after)
{
    m_series = std::move(load.Series);
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
    if (Loading()) {
        // Drawn once the archive is in (a reading the archive also returns
        // is drawn once).
        m_liveDuringLoad.push_back({stamp, value});
        return;
    }
    if (m_series.Append(stamp, value))
        showLivePoint();
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
    fillSettings(settings);
    settings.YRange = m_yRange;
    settings.Save(TGraphSettings::FileName());
}

void TFormGraph::Closing()
{
    TTimeChartWindow::Closing();
    saveSettings();
}
