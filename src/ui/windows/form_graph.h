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
// What it shares with the multi-graph is in time_chart_window.h. Its own
// parts: the window, actions, menus and tool bar (form_graph.cpp), the
// value axis and the status bar (form_graph_view.cpp), loading and live
// points (form_graph_data.cpp), and the chart for the printed report
// (form_graph_report.cpp).
//
// User-interface thread only.

#include "ui/windows/time_chart_window.h"
#include "values/io_data.h"

class QCPGraph;
class QCustomPlot;
struct TReading;

class TFormGraph final : public TTimeChartWindow
{
    Q_OBJECT

public:
    using TSources = TGraphSources;

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
    // "dd.mm.yy hh:mm:ss" labels, the points reduced for that chart's width,
    // and the markers exactly when points are shown.
    void FillReportChart(QCustomPlot &chart) const;
    // The printed report: the caption as title, the period on screen and
    // the chart above.
    TChartReport Report() const;
    // "Сохранить данные (CSV)": every archived and live point of the time
    // axis on screen (not the chart's reduction), with its time to the
    // millisecond.
    QStringList CsvLines() const;

    const TSeries &Series() const { return m_series; }
    // The points the chart holds now (the reduction for its width).
    int DrawnPoints() const;
    bool Live() const { return m_feedId != 0; }
    double YRange() const { return m_yRange; }
    const TIODouble &Value() const { return m_value; }

protected:
    void Closing() override;

private:
    TFormGraph(int slot, const TSources &sources);
    static QWidget *&openSlot(int slot);

    // form_graph.cpp
    void buildActions();

    // form_graph_data.cpp
    void open(const QString &tableName, const TIODouble *value, const QString &caption, TDateTime stop,
              TDateTime start);
    void loadArchive(std::function<void()> after) override;
    void loaded(TSeriesLoad &load, const std::function<void()> &after);
    void bindLive(bool on) override;
    void onReading(const TReading &reading);
    void addLivePoint(qint64 stamp, double value);
    void changeYRange();
    void saveSettings() const;

    // form_graph_view.cpp
    std::vector<const TSeries *> allSeries() const override { return {&m_series}; }
    void refillChart() override;
    void updateStatus() override;
    bool homeValueRange(double &min, double &max) const override;
    void showPointUnderMouse(double key, double value) override;
    void followValue() override { set4Millimeters(); }
    void set4Millimeters();
    void setYRange();
    void setupValueAxis(QCustomPlot &chart) const;
    // The present value: the newest live reading, else the newest point.
    bool presentValue(double &value) const;

    const int m_slot;
    QString m_table;
    TIODouble m_value;
    bool m_hasValue = false; // a live value arrived
    bool m_liveSlot = false; // the slot has a live value at all
    double m_yRange = 0;

    TSeries m_series;
    std::vector<TSeriesPoint> m_liveDuringLoad;
    int m_feedId = 0;

    QCPGraph *m_line = nullptr;
    QCPGraph *m_markers = nullptr;
};
