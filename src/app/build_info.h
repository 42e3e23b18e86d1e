#pragma once
// What this build of the programs is, for the About window, `--version`
// and the service bundle: the version of the project, the commit of the
// checkout it was built from (empty when built outside one) and the day of
// the build.

#include <QString>

QString ProgramVersion();
QString ProgramCommit();
QString ProgramBuildDate();

// "tolm-cli 0.2.0 (1a2b3c4d5e, 2026-12-09)"; without a commit only the day
// stands in the brackets.
QString VersionLine(const QString &program);
