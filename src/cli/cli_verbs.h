#pragma once
// The verbs of tolm-cli. Each takes its own arguments from the session's
// options, reports wrong usage before it touches the line, then opens the
// session and runs. The result is the exit status (cli_options.h).

class TCliOutput;
class TCliSession;
struct TCliEnvironment;
struct TCliOptions;

int RunSend(TCliSession &session);
int RunRead(TCliSession &session);
int RunWrite(TCliSession &session);
int RunPoll(TCliSession &session);
int RunSpectrum(TCliSession &session);
int RunSignal(TCliSession &session);
// The gauges answering on the line: 0 when at least one did.
int RunScan(TCliSession &session);
// The gauge's whole configuration kept in, compared with, and written back
// from a parameter-set file. diff: 0 when nothing differs, 1 when
// something does, 2 on usage or a file that cannot be read.
int RunBackup(TCliSession &session);
int RunDiff(TCliSession &session);
int RunRestore(TCliSession &session);
// The service-case bundle, also when the gauge does not answer.
int RunBundle(TCliSession &session);
// Needs no line: only the archive of the program folder.
int RunArchive(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out);
// The gauge register; only its diff opens the line.
int RunRegister(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out);

// Records this process has added to the register so far.
int RegisterRecordsAdded();
// The records that wait go to the server now, when one is set; what could
// not be sent waits for the next run or the program, and is told.
void SendRegisterOutbox(TCliSession &session);

// Reports a usage error and gives its exit status.
int UsageError(TCliOutput &out, const QString &text);
// Opens the session; false after reporting why.
bool OpenSession(TCliSession &session);
