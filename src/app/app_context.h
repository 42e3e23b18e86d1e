#pragma once
// Where the settings live and how the program was started.
//
// Two base folders: the program folder (beside the executable) holds the
// line settings "INI/ComPort.ini", the archive settings "INI/bde.ini" and the
// default archive folder "DATA"; the start folder (the current directory
// when the program starts, e.g. the working directory of a shortcut) holds
// the persisted timers "INI/Timer.ini" and the window positions
// "INI/WndPos.ini". Both are handed in, so tests run in a temporary folder.

#include <QString>
#include <QStringList>

struct TAppFlags {
    bool FullMode = false;    // "/full": service functions shown
    bool LumidorMode = false; // "/lumidor": the current-loop meter is on the line
    bool ModbusMode = false;  // "/modbus": gauge frames in one piece, no nine-bit address
    bool SimMode = false;     // "/sim": the built-in simulated gauge instead of the port
    // Radix of the frames in the exchange log and the communication window.
    int LogRadix = 16;
};

// Each argument, the program path included, is compared with the switches
// exactly and case-sensitively; order and repeats do not matter. Only the
// four switch flags are set, the others keep their defaults.
TAppFlags ParseSwitches(const QStringList &arguments);

class TAppContext
{
public:
    // Both folders are the current directory, no switch set.
    TAppContext();
    TAppContext(const QString &programFolder, const QString &startFolder, const QStringList &arguments = {});
    // The running program: its program folder (the executable's, or for an
    // installed copy the user's data folder, see program_folder.h), the
    // current directory (an installed copy: the program folder too) and the
    // command line.
    static TAppContext FromApplication();

    const QString &ProgramFolder() const { return m_programFolder; }
    const QString &StartFolder() const { return m_startFolder; }

    // A file of the "INI" folder beside the program or under the start folder.
    QString ProgramIniFile(const QString &name) const;
    QString StartIniFile(const QString &name) const;

    QString ComPortIni() const { return ProgramIniFile(QStringLiteral("ComPort.ini")); }
    QString BdeIni() const { return ProgramIniFile(QStringLiteral("bde.ini")); }
    QString DataFolder() const;
    QString TimerIni() const { return StartIniFile(QStringLiteral("Timer.ini")); }
    QString WndPosIni() const { return StartIniFile(QStringLiteral("WndPos.ini")); }

    TAppFlags Flags;

private:
    QString m_programFolder;
    QString m_startFolder;
};

// The context of this run. Installed once at start, before any window or
// the request thread exists; only the flags change later, from the
// user-interface thread.
TAppContext &AppContext();
void SetAppContext(const TAppContext &context);
