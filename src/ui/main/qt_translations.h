#pragma once
// Qt's own texts in Russian: the file dialogs, the print preview, the
// standard buttons Qt labels itself. The program speaks Russian whatever the
// workstation's language, so they must too; the translations are Qt's own,
// from the Qt installation (Debian's qt6-translations-l10n).

class QCoreApplication;

// Installs Qt's Russian translations into `app`; false, and Qt keeps its
// English, when they are not installed.
bool InstallQtTranslations(QCoreApplication &app);
