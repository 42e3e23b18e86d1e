#pragma once
// What the time graph ("График") and the multi-graph ("Графики уровней")
// share: a chart of archived and live points against time, the two modes
// ("Текущие показания" and "Временной диапазон" with the range dialog), the
// twelve widths of the visible time window, zoom by mouse, keys and menu,
// the scroll bar over the data, the status bar, the settings' common keys
// and the head of the printed report.
//
// The points are held in series stores, never in the chart: every change of
// the visible range hands each chart line the store's reduction for the
// chart's pixel width, so drawing costs the same for an hour and a year.
// A window names its stores (allSeries) and fills its own lines from them
// (refillChart); the rest works over all of them.
//
// Its parts: layout, actions, modes and loading (time_chart_window.cpp);
// axes, zoom, scroll bar and keys (time_chart_view.cpp).
//
// User-interface thread only.

#include "series/series.h"
#include "series/series_load.h"
#include "ui/report/chart_report.h"
#include "ui/windows/single_window.h"
#include "values/range_dt.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QMenuBar;
class QMouseEvent;
class QScrollBar;
class QTimer;
class QToolBar;
class Ttolm472;
template <typename> class TFeed;
struct TReading;
using TReadingFeed = TFeed<TReading>;
class TSeriesLoadJob;
struct TGraphSettings;

// Where a graph gets its points.
struct TGraphSources {
    QString DbPath;
    TReadingFeed *Feed = nullptr; // nullptr: no live points
    TDayReader Reader = LoadDay;
    const Ttolm472 *Gauge = nullptr; // names the printed report's gauge
};

class TTimeChartWindow : public TSingleWindow
{
    Q_OBJECT

public:
    ~TTimeChartWindow() override;

    QAction *Action(const QString &name) const { return m_actions.value(name); }
    QCustomPlot *Chart() const { return m_chart; }
    QScrollBar *ScrollBar() const { return m_scroll; }
    QLabel *Panel(int index) const { return m_panels[size_t(index)]; }
    bool Loading() const { return m_load != nullptr; }
    // The archive the window reads.
    const QString &DbPath() const { return m_sources.DbPath; }
    bool Archive() const { return m_archive; }
    bool Scan() const { return m_scan; }
    bool ShowPoints() const { return m_showPoints; }
    int StepIndex() const { return m_stepIndex; }
    const TRangeDT &Range() const { return m_rangeDT; }
    // The visible ranges (time as chart keys, graph_axis.h).
    double TimeMin() const;
    double TimeMax() const;
    double ValueMin() const;
    double ValueMax() const;
    // Makes the chart draw what is due now rather than on its timer.
    void ReplotNow();

protected:
    // panelHints: the status bar's panels, their hints; the panel of
    // stretchPanel takes the room left.
    TTimeChartWindow(QWidget *&openSlot, const QString &name, const TGraphSources &sources,
                     const QStringList &panelHints, int stretchPanel);

    // --- what a window adds ---
    // Every series of the window; the visible ones (shown lines).
    virtual std::vector<const TSeries *> allSeries() const = 0;
    virtual std::vector<const TSeries *> visibleSeries() const { return allSeries(); }
    // Hands the chart's lines the reduction of their series for the
    // present time axis.
    virtual void refillChart() = 0;
    virtual void updateStatus() = 0;
    // Clears the series and loads Range from the archive; `after` runs
    // once the points are in.
    virtual void loadArchive(std::function<void()> after) = 0;
    virtual void bindLive(bool on) = 0;
    // The value axis that undoing a zoom returns to; false: left as it is.
    virtual bool homeValueRange(double &min, double &max) const = 0;
    // The time and value under the mouse, inside the plotting rectangle.
    virtual void showPointUnderMouse(double key, double value) = 0;
    // When "Следить за значением" turns on and after every live point
    // while it is on.
    virtual void followValue() {}
    virtual void showAllY();

    // --- time_chart_window.cpp ---
    // A named action of the window; `run` (when given) on every trigger.
    QAction *makeAction(const char *name, const QString &caption, std::function<void()> run,
                        const QString &hint = QString());
    // The actions both windows have: the modes, the twelve steps, zoom and
    // show-all, points, scan, report, PDF, CSV and close.
    void buildCommonActions(std::function<TChartReport()> report, std::function<void()> csv);
    QMenu *addMenu(QMenuBar &menus, const QString &title, std::initializer_list<const char *> names) const;
    void addStepsTo(QMenu &menu) const;
    // The tool bar: the modes, `extra`, the steps, zoom, points, scan,
    // preview and close.
    QToolBar *buildToolBar(const QString &name, std::initializer_list<const char *> extra);
    // Starts a load of request in its own thread; replaces a load under way.
    void startLoad(const TSeriesRequest &request, const QString &progressText,
                   std::function<void(TSeriesLoad &load)> done);
    void stopLoad();
    // The steps after every load: points, scan off, whole extent, step.
    void afterLoad();
    void setCurrent();
    void setStartStop();
    void updateModeChecks();
    void setPoints(bool on);
    void setScan(bool on);
    // Applies the keys that both settings files have.
    void applySettings(const TGraphSettings &settings);
    void fillSettings(TGraphSettings &settings) const;
    // The report with the caption, the period on screen and the gauge.
    TChartReport report(std::function<void(QCustomPlot &chart)> fill) const;
    // "Диапазон c …[ по …]" and "c … по …" of the status bar.
    QString rangeText() const;
    QString intervalText() const;
    void Closing() override;

    // --- time_chart_view.cpp ---
    // The time axis with "dd.mm.yy" over "hh:nn:ss", or on one line.
    static void setupTimeAxis(QCustomPlot &chart, bool oneLine);
    // Puts series' reduction for [from, to] over `columns` into graph.
    static void fillGraph(QCPGraph &graph, const TSeries &series, double fromKey, double toKey, int columns);
    // The oldest and newest stamps over all series, as chart keys.
    bool dataExtent(double &min, double &max) const;
    // The least and greatest value of the given series in [fromKey, toKey].
    static bool valueExtent(const std::vector<const TSeries *> &series, double fromKey, double toKey,
                            double &min, double &max);
    void setTimeRange(double min, double max);
    void setValueRange(double min, double max);
    void onTimeRangeChanged();
    void scheduleReplot();
    void applyStep(int index);
    void uncheckSteps();
    void undoZoom();
    void zoom(double percent);
    void showAllX();
    void showAll();
    void scrollTo(int position);
    void onScrollMoved(int position);
    void updateScrollBar();
    // After a live point went into a series: follow it, or show it.
    void showLivePoint();
    void keyPressEvent(QKeyEvent *event) override;

    TGraphSources m_sources;
    TRangeDT m_rangeDT;
    bool m_archive = false;
    int m_stepIndex = 4;
    bool m_showPoints = false;
    bool m_scan = false;
    // The time axis follows the data extent: after "Показать все по X" and
    // the undo of a zoom, until a step, a zoom or a scroll fixes it.
    bool m_autoX = true;

    QHash<QString, QAction *> m_actions;
    QCustomPlot *m_chart = nullptr;
    QScrollBar *m_scroll = nullptr;
    std::vector<QLabel *> m_panels;

private:
    void onMouseMove(QMouseEvent *event);

    bool m_settingRange = false;
    bool m_settingScroll = false;
    std::unique_ptr<TSeriesLoadJob> m_load;
    QTimer *m_replot = nullptr;
};
