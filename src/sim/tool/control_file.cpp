#include "control_file.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <array>

namespace {

struct TLinkName
{
    TSimGaugeLink link;
    const char *name;
};

constexpr std::array<TLinkName, 3> kLinkNames{{
    {TSimGaugeLink::Normal, "normal"},
    {TSimGaugeLink::Silent, "silent"},
    {TSimGaugeLink::Garbled, "garbled"},
}};

// address -> state; false with `error` naming the first bad line.
bool parse(const QByteArray &text, QHash<int, TSimGaugeLink> &out, QString &error)
{
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).section(QLatin1Char('#'), 0, 0).simplified();
        if (line.isEmpty())
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const int address = words.value(0).toInt(&ok);
        const TLinkName *state = nullptr;
        for (const TLinkName &n : kLinkNames)
            if (words.value(1) == QLatin1String(n.name))
                state = &n;
        if (words.size() != 2 || !ok || address < 0 || address > 255 || !state) {
            error = QStringLiteral("line %1: expected \"<address 0-255> normal|silent|garbled\", got \"%2\"")
                        .arg(i + 1)
                        .arg(line);
            return false;
        }
        out.insert(address, state->link);
    }
    return true;
}

} // namespace

bool TSimControlFile::refresh(TSimGaugeBus &gauges, QString &error)
{
    QFile file(m_path);
    // A file that is not there (yet) says: every gauge normal.
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (m_seen == text)
        return true;
    m_seen = text;
    QHash<int, TSimGaugeLink> links;
    if (!parse(text, links, error)) {
        error = m_path + QStringLiteral(": ") + error;
        return false;
    }
    for (int i = 0; i < gauges.count(); ++i)
        gauges.setLink(i, links.value(gauges.gauge(i).address(), TSimGaugeLink::Normal));
    return true;
}

QString SimControlFileHelp()
{
    return QStringLiteral(
        "Control file, looked at before every request: lines \"<address> normal|silent|garbled\" cut the "
        "gauges at that address off the line (silent) or make them answer with a wrong checksum (garbled); "
        "gauges not named, or a missing file, are normal. Replace the file as a whole (write a new one and "
        "rename it over the old), e.g. echo \"3 silent\" > ctl.new && mv ctl.new ctl.");
}
