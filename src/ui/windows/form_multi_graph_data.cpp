// The multi-graph's data: a line per series, the archive loaded series by
// series, live points from the reading feed, which series are shown, and
// the settings file.
#include "ui/windows/form_multi_graph.h"

#include "archive/archive_stamp.h"
#include "session/feed.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/graph_settings.h"

#include <QAction>
#include <QMenu>
#include <qcustomplot.h>

void TFormMultiGraph::addSeries(TMGCollectionItem &item)
{
    const int index = int(m_lines.size());
    QCPGraph *line = m_chart->addGraph();
    line->setPen(QPen(item.Color, 1));
    line->setAdaptiveSampling(true);
    line->setName(item.Value.Description.Title);
    m_lines.push_back(line);

    QAction *check = m_seriesMenu->addAction(item.Value.Description.Title);
    check->setObjectName(QStringLiteral("actSeries%1").arg(index));
    check->setCheckable(true);
    check->setChecked(true);
    connect(check, &QAction::triggered, this, [this, index](bool on) { SetSeriesVisible(index, on); });
    m_checks.push_back(check);
}

void TFormMultiGraph::loadArchive(std::function<void()> after)
{
    stopLoad();
    m_liveDuringLoad.clear();
    for (int i = 0; i < m_collection.Count(); ++i)
        m_collection.Item(i)->Series.Clear();
    refillChart();
    loadItem(0, std::move(after));
}

void TFormMultiGraph::loadItem(int index, std::function<void()> after)
{
    TMGCollectionItem *item = m_collection.Item(index);
    if (!item) {
        // Every series is in: the readings that came meanwhile follow.
        for (const auto &[i, point] : m_liveDuringLoad)
            m_collection.Item(i)->Series.Append(point.Stamp, point.Value);
        m_liveDuringLoad.clear();
        refillChart();
        updateScrollBar();
        updateStatus();
        after();
        return;
    }
    const QString title = item->Value.Description.Title;
    startLoad(TSeriesRequest::Period(m_sources.DbPath, item->TableName, DateTimeToQDateTime(m_rangeDT.Start()),
                                     DateTimeToQDateTime(m_rangeDT.Stop())),
              QStringLiteral("Загрузка архива ") + title,
              [this, index, title, after = std::move(after)](TSeriesLoad &load) mutable {
                  TMGCollectionItem &loaded = *m_collection.Item(index);
                  loaded.Series = std::move(load.Series);
                  Operator().CloseProgress();
                  if (loaded.Series.Empty())
                      Operator().Warning(title + QStringLiteral("\nОтсутствуют данные"));
                  loadItem(index + 1, std::move(after));
              });
}

void TFormMultiGraph::bindLive(bool on)
{
    if (m_feedId != 0 && m_sources.Feed)
        m_sources.Feed->Unsubscribe(m_feedId);
    m_feedId = 0;
    if (on && m_sources.Feed)
        m_feedId = m_sources.Feed->Subscribe([this](const TReading &reading) { onReading(reading); });
}

void TFormMultiGraph::onReading(const TReading &reading)
{
    const TDateTime stamp = QDateTimeToDateTime(reading.stamp);
    for (const TArchivedValue &v : reading.values)
        for (int i = 0; i < m_collection.Count(); ++i)
            if (m_collection.Item(i)->TableName == v.name)
                m_collection.Item(i)->Value.SetValue(v.value, stamp);
}

void TFormMultiGraph::ValueChanged(TIOData *value)
{
    TMGCollectionItem *item = value ? m_collection.Item(value->Tag) : nullptr;
    if (!item)
        return;
    const TSeriesPoint point{DateTimeToArchiveStamp(value->Stamp.GetTimeStamp()), value->Value.toDouble()};
    if (Loading()) {
        m_liveDuringLoad.emplace_back(value->Tag, point);
        return;
    }
    if (item->Series.Append(point.Stamp, point.Value))
        showLivePoint();
}

void TFormMultiGraph::SetSeriesVisible(int index, bool visible)
{
    TMGCollectionItem *item = m_collection.Item(index);
    if (!item)
        return;
    item->Visible = visible;
    m_lines[size_t(index)]->setVisible(visible);
    m_checks[size_t(index)]->setChecked(visible);
    refillChart();
    scheduleReplot();
}

void TFormMultiGraph::setAllVisible(bool visible)
{
    for (int i = 0; i < m_collection.Count(); ++i)
        SetSeriesVisible(i, visible);
}

void TFormMultiGraph::saveSettings() const
{
    TGraphSettings settings;
    fillSettings(settings);
    settings.Save(TGraphSettings::MultiGraphFileName());
}
