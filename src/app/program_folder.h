#pragma once
// Where the program keeps its files (INI, DATA, the parameter-set folders,
// the logs). A copy whose own folder can be written (a portable copy, the
// build folder, a USB stick) keeps them beside the executable, as always.
// An installed one (its folder is /usr/bin) keeps them in the user's data
// folder, whose INI folder is seeded on first start from the defaults
// installed with the program.

#include <QString>

struct TProgramFolder {
    QString Path;
    bool Installed = false; // the user's data folder stands in for the executable's
};

// Whether a file can be made in the folder.
bool FolderWritable(const QString &folder);
// The defaults installed beside bin/: share/tolm47x/INI.
QString InstalledIniDefaults(const QString &executableFolder);
// The user's data folder of the programs: ~/.local/share/tolm47x, shared by
// tolm47x and tolm-cli.
QString UserProgramFolder();

// Whether the files stay beside the executable: its folder can be written,
// and it either has its own INI folder or no installed defaults beside it.
// A writable bin/ with the defaults in ../share and no INI of its own is an
// installation started by root; its files do not belong into /usr/bin.
bool PortableCopy(const QString &executableFolder);

// The executable's folder for a portable copy; otherwise the user's folder,
// made when missing, with every default INI file it lacks copied in (the
// list of gauge types always, as the installation's own).
TProgramFolder ResolveProgramFolder(const QString &executableFolder, bool portable, const QString &userFolder,
                                    const QString &iniDefaults);
// The rule above for this executable folder, as tolm47x and tolm-cli use it.
TProgramFolder ProgramFolderOf(const QString &executableFolder);
