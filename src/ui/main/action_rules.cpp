// Which actions polling locks and which only full mode shows. The gauge
// parameters' change, read and write actions follow their rows of the
// parameter table; the lists here name the other actions.
#include "ui/main/action_tables.h"

#include "device/parameter_table.h"
#include "ui/main/parameter_actions.h"

namespace {

// The long operations and everything that changes what the gauge is or how
// it is reached: a polling pass must not meet them on the line or find the
// model's configuration changing under it. Single reads, "Эхо", the
// signature and identification reads, the prediction-mode and training
// commands and every window stay usable.
const char *const Locked[] = {
    "actAllParamRead", "actAllParamWrite", "actSpectrumRead", "actSignalRead", "actSystemAddressWrite",
    "actPlantNumberWrite", "actWriteToPZU", "actInit", "actInitReadStart", "actInitReadStop",
    "actTolm472iLoad", "actTolm472iCompare", "actTolm472iSave", "actTolm472iBackup", "actServiceBundleSave",
    "actTransmitterChange",
};

// The factory's service functions.
const char *const FullMode[] = {
    "actFormProgonShow", "actReserveRead", "actPlantNumberWrite", "actInit", "actEcho", "actUsilRead",
    "actInitReadStart", "actInitReadStop", "actPeriodSignalReadChange", "actSpectrumRead", "actSpectrumShow",
    "actSignalRead", "actSignalShow", "actGraphLevelSr", "actGraphUsil", "actOprosSignalStart",
    "actOprosSignalStop", "actGraphCurrentOutputShow",
};

// What stays usable while a command runs besides the window actions:
// polling is the request thread's, the periods are only stored, and the
// capture can always be stopped.
const char *const UsableWhileBusy[] = {
    "actOprosStart", "actOprosStop", "actTimerParametersChange", "actOprosSignalStop", "actPeriodSignalReadChange",
};

template <std::size_t N>
QStringList names(const char *const (&list)[N])
{
    QStringList out;
    for (const char *name : list)
        out.append(QString::fromLatin1(name));
    return out;
}

// The change, read and write actions of every parameter the predicate
// picks, each name once (the bad zones share theirs).
template <typename Picks>
QStringList parameterActions(Picks picks)
{
    QStringList out;
    for (const TParameter &p : ParameterTable()) {
        if (!picks(p))
            continue;
        for (const QString &name : {ChangeActionName(p), ReadActionName(p), WriteActionName(p)})
            if (!name.isEmpty() && !out.contains(name))
                out.append(name);
    }
    return out;
}

} // namespace

QStringList PollingLockedActions()
{
    return names(Locked) + parameterActions([](const TParameter &p) { return p.LockedWhilePolling; });
}

QStringList BusyUsableActions()
{
    QStringList out = names(UsableWhileBusy);
    // Every window action opens or brings forward a window, or sets the
    // log's radix, or asks to close; "СОМ порт" closes and reopens the line
    // under the command.
    for (const TNamedAction &row : WindowActions())
        if (qstrcmp(row.Name, "actTransmitterChange") != 0)
            out.append(QString::fromLatin1(row.Name));
    return out;
}

QStringList FullModeActions()
{
    return names(FullMode) +
           parameterActions([](const TParameter &p) { return p.Shown == TParameterCondition::FullMode; });
}

QStringList ExtendedActions()
{
    return parameterActions([](const TParameter &p) { return p.Shown == TParameterCondition::FullModeExtended; });
}
