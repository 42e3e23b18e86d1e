#pragma once
// TFormMultiGraph, "Графики уровней": the level, the distance and the free
// space (in full mode also the reserve) on one time chart, each in its
// colour, with a legend below the chart and a menu "Графики" to show and
// hide each of them. Everything else works as in the time graph
// (time_chart_window.h): the two modes, the range dialog, the twelve steps,
// zoom, keys, the scroll bar, "Просмотр/Печать", PDF and CSV.
//
// The window is modal and made anew for every opening; closing it writes
// "INI/fMultiGraph.ini" and frees it. The archive of every series is loaded
// in turn in a thread of its own, with "Загрузка архива " and the value's
// title in the progress window. Live points come from the reading feed,
// each reading through its series' value (mg_collection.h).
//
// Its parts: the window, menus, set-up and view (form_multi_graph.cpp);
// loading, live points and visibility (form_multi_graph_data.cpp); the
// report and CSV (form_multi_graph_report.cpp).
//
// User-interface thread only.

#include "ui/windows/mg_collection.h"
#include "ui/windows/time_chart_window.h"

#include <vector>

class QCPGraph;
class QCustomPlot;
struct TReading;

class TFormMultiGraph final : public TTimeChartWindow
{
    Q_OBJECT

public:
    using TSources = TGraphSources;

    // "Графики": a new window over the last day with the gauge's series,
    // application-modal: while it is open the operator works only in it.
    // The command returns at once (no event loop of its own); the window
    // frees itself when it closes. nullptr when it could not be set up
    // (the window is then freed).
    static TFormMultiGraph *OpenMultiGraph(const Ttolm472 &gauge, bool fullMode, const TSources &sources);
    // The open window; none while it is closed.
    static TFormMultiGraph *Instance();

    explicit TFormMultiGraph(const TSources &sources);
    ~TFormMultiGraph() override;

    TMGCollection &Collection() { return m_collection; }
    // After the collection is filled: the caption, the range, a menu item
    // and a chart line per series, the archive, live points, the value
    // axis and the settings. 0, or -1 on an error.
    int Setup(const QString &caption, TDateTime stop, TDateTime start);

    // Shows or hides series `index` (nothing outside the collection); its
    // markers only while points are shown.
    void SetSeriesVisible(int index, bool visible);
    // A value of the collection was set: its point goes into the series
    // of the item its tag names; a tag outside the collection adds nothing.
    void ValueChanged(TIOData *value);

    // The printed report: the caption, the period on screen, the chart
    // with a legend and every series as on screen.
    void FillReportChart(QCustomPlot &chart) const;
    TChartReport Report() const;
    // "Сохранить данные (CSV)": two columns per shown series, every stored
    // point of the time axis on screen.
    QStringList CsvLines() const;

    QCPGraph *Line(int index) const;
    QAction *SeriesCheck(int index) const;
    bool Live() const { return m_feedId != 0; }

protected:
    void Closing() override;

private:
    static QWidget *&openWindow();

    // form_multi_graph.cpp
    void buildActions();
    // The legend in a row of its own below the chart, the series side by side.
    static void putLegendBelow(QCustomPlot &chart);
    void setupValueAxis(QCustomPlot &chart, int decimals) const;
    std::vector<const TSeries *> allSeries() const override;
    std::vector<const TSeries *> visibleSeries() const override;
    void refillChart() override;
    void updateStatus() override;
    bool homeValueRange(double &min, double &max) const override;
    void showPointUnderMouse(double key, double value) override;
    void showAllY() override;

    // form_multi_graph_data.cpp
    void addSeries(TMGCollectionItem &item);
    void loadArchive(std::function<void()> after) override;
    void loadItem(int index, std::function<void()> after);
    void bindLive(bool on) override;
    void onReading(const TReading &reading);
    void setAllVisible(bool visible);
    void saveSettings() const;

    TMGCollection m_collection;
    std::vector<QCPGraph *> m_lines;
    std::vector<QAction *> m_checks;
    QMenu *m_seriesMenu = nullptr;
    // The value axis as set up: 0 and every value's range.
    double m_homeMin = 0;
    double m_homeMax = 0;
    int m_decimals = 0;
    // Readings that came while the archive loaded: (item, point).
    std::vector<std::pair<int, TSeriesPoint>> m_liveDuringLoad;
    int m_feedId = 0;
};
