// The status log "BlackBox.txt": every non-zero status word of a single-value
// reading is appended with its time, so intermittent faults of a gauge can be
// looked up later. One file per day, below the program folder in
// DATA/yyyy/mm/dd; each line is opened, written and closed on its own, so
// other programs can read the file while the program runs.

#include "values/clock.h"
#include "app/log.h"
#include "device/status_words.h"
#include "device/tolm472.h"

#include <QDir>

void LogBlackBoxEntry(const QString &programFolder, uint8_t status)
{
    // A model made without a program folder (a tool or a test that only
    // parses) has no place for the log and keeps none.
    if (programFolder.isEmpty())
        return;
    const QString day = Clock().Now().date().toString(QStringLiteral("yyyy/MM/dd"));
    TLog log;
    log.SetFileName(QDir(programFolder).filePath(QStringLiteral("DATA/") + day + QStringLiteral("/BlackBox.txt")));
    // The number right-aligned in two places ("%2d"), three when it needs them.
    // A line that cannot be written is lost quietly: the parse goes on.
    log.Add(QStringLiteral("%1 %2").arg(int(status), 2).arg(GaugeStatusText(status)));
}
