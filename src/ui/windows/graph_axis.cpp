#include "ui/windows/graph_axis.h"

#include "archive/archive_stamp.h"
#include "archive/archive_text_line.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QLocale>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Minute = 60;
constexpr double Hour = 3600;
constexpr double Day = 86400;

const TTimeStep Steps[] = {
    {1, "actSet5Min", "5 минут", 5 * Minute},        {2, "actSet15Min", "15 минут", 15 * Minute},
    {3, "actSet30Min", "30 минут", 30 * Minute},     {4, "actSet45Min", "45 минут", 45 * Minute},
    {5, "actSetOneHour", "1 час", Hour},             {6, "actSetSixHour", "6 часов", 6 * Hour},
    {7, "actSetTwelveHour", "12 часов", 12 * Hour},  {8, "actSetOneDay", "1 день", Day},
    {9, "actSetThreeDay", "3 дня", 3 * Day},         {10, "actSetOneWeek", "7 дней", 7 * Day},
    {11, "actSetTenDay", "10 дней", 10 * Day},       {12, "actSetOneMonth", "1 месяц", 30 * Day},
};

constexpr int OneDayStep = 8;

} // namespace

std::span<const TTimeStep> TimeSteps()
{
    return Steps;
}

const TTimeStep &StepOf(int stepIndex)
{
    return Steps[(stepIndex >= 1 && stepIndex <= int(std::size(Steps)) ? stepIndex : OneDayStep) - 1];
}

int ScrollPosition(double minX, double maxX, double axisMax)
{
    if (!(maxX > minX))
        return -1;
    // An axis far beyond the data stands the bar at its end.
    const double share = std::clamp(std::nearbyint((maxX - axisMax) * 100 / (maxX - minX)), -100.0, 100.0);
    return std::clamp(100 - int(share), 0, 100);
}

double AxisMaxAt(double minX, double maxX, int position)
{
    return maxX - (maxX - minX) * (100 - position) / 100;
}

double KeyOfDateTime(TDateTime value)
{
    return KeyOfStamp(DateTimeToArchiveStamp(value));
}

double KeyOfStamp(qint64 stamp)
{
    return double(stamp) / 1000.0;
}

QDateTime DateTimeOfKey(double key)
{
    return ArchiveStampToQDateTime(qint64(std::llround(key * 1000.0)));
}

QString DateTimeText(const QDateTime &dateTime)
{
    const QLocale locale;
    return locale.toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(dateTime.time(), LongTimeFormat(locale));
}

QString GraphValueText(double value, const TDescriptionOfDouble &description)
{
    if (description.Digits == 255)
        return FloatToStrF(value, TDescriptionOfDouble::ffGeneral, 15, 0);
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 15, description.Digits);
}
