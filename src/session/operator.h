#pragma once
// The operator: everything the program asks of, or tells, the person at the
// workstation goes through this one interface: message boxes, yes/no
// questions, the input dialogs, the file-open dialog and the progress
// window of long operations. The program shows real dialogs; the
// command-line tool writes to the terminal and answers every question as
// cancelled; tests answer from a script. A procedure on the runner's worker
// reaches the real one through TUiThreadOperator.
//
// Each implementation says in which thread it may be called.

#include <QString>

class TBadZone;
struct TConfigurationComparison;

enum class TMessageIcon { Information, Warning, Error, Question };

// Caption of the program's warnings and confirmations.
inline QString AttentionCaption()
{
    return QStringLiteral("Внимание");
}

class TOperator
{
public:
    virtual ~TOperator() = default;

    // A message box with one OK button. Texts separate lines with CR.
    virtual void ShowMessage(TMessageIcon icon, const QString &caption, const QString &text) = 0;
    // A message box with Yes and No; true for Yes. defaultYes names the
    // button that Enter presses.
    virtual bool AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes) = 0;

    // A whole number within min..max; cancel gives value back and leaves
    // confirmed false.
    virtual int InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                                      bool &confirmed) = 0;
    // A number shown with decimals digits after the separator; cancel gives
    // value back.
    virtual double InputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                               double value) = 0;
    // An item of the lines of the text file listFile (-1 when the choice is
    // none of them); cancel gives index back.
    virtual int InputIndexFromList(const QString &title, const QString &label, int index,
                                   const QString &listFile) = 0;
    // A free text; cancel gives text back.
    virtual QString InputText(const QString &title, const QString &label, const QString &text) = 0;
    // The four values of a bad zone; true after OK (the zone's values are
    // set), false after cancel (nothing changed).
    virtual bool InputBadZone(TBadZone &zone) = 0;

    // Shows (creating it when needed) the progress window at step of total.
    // A window already shown keeps its text and total, only its position
    // moves; a negative step only shows the window.
    virtual void ShowProgress(const QString &text, int step, int total) = 0;
    virtual void CloseProgress() = 0;
    // The same, for an operation the operator may cut short: the window has
    // a close box, and ProgressClosed tells when it was used.
    virtual void ShowClosableProgress(const QString &text, int step, int total) { ShowProgress(text, step, total); }
    // Whether the operator closed the progress window since it was made.
    // From any thread.
    virtual bool ProgressClosed() const { return false; }

    // An existing file chosen in a file-open dialog, empty when cancelled.
    // filter: "Description (*.ext)"; defaultExtension without the dot.
    virtual QString OpenFileName(const QString &filter, const QString &defaultExtension,
                                 const QString &initialFolder) = 0;

    // A file name chosen in a file-save dialog that starts at `suggested`
    // (folder and name), empty when cancelled. Nobody to ask: none.
    virtual QString SaveFileName(const QString & /*filter*/, const QString & /*defaultExtension*/,
                                 const QString & /*suggested*/)
    {
        return {};
    }

    // The comparison of a backup file with the gauge, a row per parameter
    // with the differing ones marked; true when the operator asks for the
    // differing parameters to be written into the gauge. Nobody to ask: no.
    virtual bool ReviewComparison(const TConfigurationComparison &, const QString & /*fileName*/) { return false; }

    // The usual forms of the boxes above.
    int InputInteger(const QString &title, const QString &label, int value, int max, int min);
    // "Внимание", warning icon, OK.
    void Warning(const QString &text) { ShowMessage(TMessageIcon::Warning, AttentionCaption(), text); }
    // "Внимание", error icon, OK.
    void Error(const QString &text) { ShowMessage(TMessageIcon::Error, AttentionCaption(), text); }
    // Information icon, OK.
    void Information(const QString &caption, const QString &text)
    {
        ShowMessage(TMessageIcon::Information, caption, text);
    }
    // "Внимание", question icon, Yes/No.
    bool Question(const QString &text, bool defaultYes)
    {
        return AskYesNo(TMessageIcon::Question, AttentionCaption(), text, defaultYes);
    }
};
