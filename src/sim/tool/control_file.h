#pragma once
// The operator's hand on a running tolm-sim (--control FILE): a small text
// file that says which gauges of the line are cut off or answer garbled, to
// rehearse how the program copes with one bad gauge among good ones.
//
//   # address state
//   3 silent
//   7 garbled
//
// One line per address (0-255); the state is normal, silent (the gauge
// neither hears nor answers) or garbled (it answers, with a wrong
// checksum). Gauges not named are normal, so an empty or missing file puts
// every gauge back. "#" starts a comment. The file is looked at before
// every request and applied when its contents have changed, to the gauges
// at those addresses at that moment. A malformed file changes nothing.

#include "sim/gauge_bus.h"

#include <QByteArray>
#include <QString>
#include <optional>

class TSimControlFile
{
public:
    explicit TSimControlFile(QString path) : m_path(std::move(path)) {}

    // Applies the file when its contents have changed since the last call.
    // False with `error` when the changed file is malformed (said once per
    // change); the gauges then stay as they were.
    bool refresh(TSimGaugeBus &gauges, QString &error);

private:
    QString m_path;
    std::optional<QByteArray> m_seen; // the contents last looked at
};

// The description of --control for the help text.
QString SimControlFileHelp();
