#pragma once
// Date-times inside the model are days since 30 December 1899, local time,
// with the time of day as the fraction (the form the workstations compute
// with). "Now" comes from the program's clock, which tests replace.

#include <QDateTime>

using TDateTime = double;

TDateTime QDateTimeToDateTime(const QDateTime &dt);
QDateTime DateTimeToQDateTime(TDateTime value);
// The present local date and time from the program's clock.
QDateTime NowQDateTime();
TDateTime NowDateTime();
