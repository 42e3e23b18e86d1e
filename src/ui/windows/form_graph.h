#pragma once
// TFormGraph, "График": one measured value of the gauge against time, in
// one of seven slots (graph_slots.h), at most one window per slot.
//
// Live mode ("Текущие показания") loads the archive of the last 24 hours
// and then appends every reading of the value from the reading feed;
// archive mode ("Временной диапазон") loads a period chosen in the range
// dialog and receives nothing live. The archive is loaded in a thread of its
// own, day by day, with the progress window "Загрузка архива"; the window
// keeps painting meanwhile, and closing it cancels the load.
//
// The points are held in a series store, never in the chart: every change
// of the visible range hands the chart the store's reduction for the
// chart's pixel width, so drawing costs the same for an hour and a year.
//
// Its parts: the window, actions, menus and tool bar (form_graph.cpp),
// the axes, zoom, scroll bar, keys and status bar (form_graph_view.cpp),
// loading, live points and modes (form_graph_data.cpp), and the chart for
// the printed report (form_graph_report.cpp).
//
// User-interface thread only.

#include "series/series.h"
#include "series/series_load.h"
#include "ui/report/chart_report.h"
#include "ui/windows/single_window.h"
#include "values/io_data.h"
#include "values/range_dt.h"

#include <QHash>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QScrollBar;
class Ttolm472;
class QTimer;
class TReadingFeed;
class TSeriesLoadJob;
struct TReading;

class TFormGraph final : public TSingleWindow
{
    Q_OBJECT

public:
    // Where a graph gets its points.
    struct TSources {
        QString DbPath;
        TReadingFeed *Feed = nullptr; // nullptr: no live points
        TDayReader Reader = LoadDay;
        const Ttolm472 *Gauge = nullptr; // names the printed report's gauge
    };

    static constexpr int SlotCount = 7;

    // Opens the window of slot (1..7) over [start, stop] with the archive
    // table and, when value is given, its descriptor and live points; a
    // window already open for the slot is only shown and brought forward.
    // 0, or -1 when the window could not be made (a slot outside 1..7 does
    // nothing and gives 0).
    static int OpenGraph(int slot, const QString &tableName, const TIODouble *value, const QString &caption,
                         TDateTime stop, TDateTime start, const TSources &sources);
    // The open window of slot; none while it is closed.
    static TFormGraph *Instance(int slot);

    ~TFormGraph() override;

    // Sets up an off-screen chart as this window's chart for the printed
    // report: value axis range and title, the time axis with
    // "dd.mm.yy hh:nn:ss" labels, the points reduced for that chart's width,
    // and the markers exactly when points are shown.
    void FillReportChart(QCustomPlot &chart) const;
    // The printed report: the caption as title, the period on screen and
    // the chart above.
    TChartReport Report() const;
    // "Сохранить данные (CSV)": every archived and live point of the time
    // axis on screen (not the chart's reduction), with its time to the
    // millisecond.
    QStringList CsvLines() const;

    QAction *Action(const QString &name) const { return m_actions.value(name); }
    QCustomPlot *Chart() const { return m_chart; }
    QScrollBar *ScrollBar() const { return m_scroll; }
    // Status bar panel 0..5.
    QLabel *Panel(int index) const { return m_panels[size_t(index)]; }
    const TSeries &Series() const { return m_series; }
    // The points the chart holds now (the reduction for its width).
    int DrawnPoints() const;
    bool Loading() const { return m_load != nullptr; }
    bool Archive() const { return m_archive; }
    bool Live() const { return m_feedId != 0; }
    bool Scan() const { return m_scan; }
    bool ShowPoints() const { return m_showPoints; }
    int StepIndex() const { return m_stepIndex; }
    double YRange() const { return m_yRange; }
    const TRangeDT &Range() const { return m_rangeDT; }
    const TIODouble &Value() const { return m_value; }
    // The visible ranges (time as chart keys, graph_axis.h).
    double TimeMin() const;
    double TimeMax() const;
    double ValueMin() const;
    double ValueMax() const;
    // Makes the chart draw what is due now rather than on its timer.
    void ReplotNow();

protected:
    void Closing() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TFormGraph(int slot, const TSources &sources);
    static QWidget *&openSlot(int slot);

    // form_graph.cpp
    void buildActions();
    void buildLayout();
    QAction *makeAction(const char *name, const QString &caption, std::function<void()> run,
                       const QString &hint = QString());

    // form_graph_data.cpp
    void open(const QString &tableName, const TIODouble *value, const QString &caption, TDateTime stop,
              TDateTime start);
    // Clears the line and loads Range; `after` runs once the points are in.
    void loadArchive(std::function<void()> after);
    void loaded(TSeriesLoad &load, const std::function<void()> &after);
    // The steps after every load: points, scan off, whole extent, step.
    void afterLoad();
    void bindLive(bool on);
    void onReading(const TReading &reading);
    void addLivePoint(qint64 stamp, double value);
    void setCurrent();
    void setStartStop();
    void updateModeChecks();
    void setPoints(bool on);
    void setScan(bool on);
    void changeYRange();
    void saveSettings() const;

    // form_graph_view.cpp
    void setTimeRange(double min, double max);
    void setValueRange(double min, double max);
    void onTimeRangeChanged();
    void refillChart();
    void scheduleReplot();
    void applyStep(int index);
    void uncheckSteps();
    void undoZoom();
    void zoom(double percent);
    void showAllX();
    void showAllY();
    void showAll();
    void set4Millimeters();
    void setYRange();
    void scrollTo(int position);
    void onScrollMoved(int position);
    void updateScrollBar();
    void updateStatus();
    void showPointUnderMouse(QMouseEvent *event);
    void setupAxes(QCustomPlot &chart) const;
    // The present value: the newest live reading, else the newest point.
    bool presentValue(double &value) const;

    const int m_slot;
    TSources m_sources;
    QString m_table;
    TIODouble m_value;
    bool m_hasValue = false; // a live value arrived
    bool m_liveSlot = false; // the slot has a live value at all
    TRangeDT m_rangeDT;
    bool m_archive = false;
    int m_stepIndex = 4;
    bool m_showPoints = false;
    bool m_scan = false;
    double m_yRange = 0;
    // The time axis follows the data extent: after "Показать все по X" and
    // the undo of a zoom, until a step, a zoom or a scroll fixes it.
    bool m_autoX = true;
    bool m_settingRange = false;
    bool m_settingScroll = false;

    TSeries m_series;
    std::unique_ptr<TSeriesLoadJob> m_load;
    std::vector<TSeriesPoint> m_liveDuringLoad;
    int m_feedId = 0;

    QHash<QString, QAction *> m_actions;
    QCustomPlot *m_chart = nullptr;
    QCPGraph *m_line = nullptr;
    QCPGraph *m_markers = nullptr;
    QScrollBar *m_scroll = nullptr;
    std::array<QLabel *, 6> m_panels{};
    QTimer *m_replot = nullptr;
};
