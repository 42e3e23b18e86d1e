// Failure counting and status reports shared by the gauge parser and the
// current-loop meter parser: a failure is shown to the operator only once
// ErrorMax failures have come in a row, so a single garbled answer on a noisy
// line does not flash the link indicator.

#include "device/tolm472.h"

#include <limits>

void Ttolm472::CountError()
{
    // Held at its top instead of wrapping round to 0, which would hide a
    // line that has been failing for a very long time.
    if (ErrorCount < std::numeric_limits<uint16_t>::max())
        ++ErrorCount;
}

void Ttolm472::ReportStatus(int32_t code, const QString &text)
{
    LastErrorCode = code;
    LastErrorText = text;
    // The caption first, so listeners of the link state see the new text.
    LinkState.Description.SetCaption(tsTrue, text);
    LinkState.SetValue(2);
}

void Ttolm472::Accept()
{
    ResetErrorCount();
    LinkState.SetValue(1);
}

void Ttolm472::Fail(int32_t code, const QString &text)
{
    CountError();
    if (ErrorLimitReached())
        ReportStatus(code, text);
}
