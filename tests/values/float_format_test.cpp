#include "values/float_format.h"
#include "values/io_data.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The system locale decides the separators; every case pins it.
class FloatFormat : public ::testing::Test
{
protected:
    ~FloatFormat() override { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

enum { General = 0, Exponent = 1, Fixed = 2, Number = 3 };

QString c(double v, int format, int precision, int digits)
{
    return FloatToStrF(v, format, precision, digits, QLocale::c());
}

} // namespace

TEST_F(FloatFormat, GeneralIsShortestWithinPrecisionThenScientific)
{
    EXPECT_EQ(c(1234.5, General, 9, 1), "1234.5");
    EXPECT_EQ(c(100, General, 9, 2), "100");
    EXPECT_EQ(c(0, General, 9, 2), "0");
    EXPECT_EQ(c(2.0 / 3.0, General, 9, 2), "0.666666667");
    EXPECT_EQ(c(9.9999999999, General, 9, 2), "10");
    // Exact halves round away from zero, as the workstations do.
    EXPECT_EQ(c(-0.125, General, 2, 0), "-0.13");
    // Beyond the precision or below 0.00001: scientific, Digits exponent digits at least.
    EXPECT_EQ(c(123456789, General, 9, 2), "123456789");
    EXPECT_EQ(c(1234567890, General, 9, 0), "1.23456789E9");
    EXPECT_EQ(c(99999.99, General, 5, 0), "1E5");
    EXPECT_EQ(c(0.00001, General, 9, 0), "0.00001");
    EXPECT_EQ(c(-0.0000012345, General, 9, 2), "-1.2345E-06");
}

TEST_F(FloatFormat, ExponentFixedAndNumber)
{
    EXPECT_EQ(c(1234.5, Exponent, 4, 2), "1.235E+03");
    EXPECT_EQ(c(0, Exponent, 3, 2), "0.00E+00");
    EXPECT_EQ(c(-0.00012, Exponent, 3, 0), "-1.20E-4");
    EXPECT_EQ(c(9.99, Exponent, 2, 1), "1.0E+1");

    EXPECT_EQ(c(1234.5, Fixed, 9, 2), "1234.50");
    EXPECT_EQ(c(1234.5, Fixed, 9, 0), "1235");
    EXPECT_EQ(c(0.005, Fixed, 9, 2), "0.01");
    EXPECT_EQ(c(-0.001, Fixed, 9, 2), "0.00");
    EXPECT_EQ(c(123.456789, Fixed, 4, 3), "123.500"); // digits beyond the precision are zeros
    EXPECT_EQ(c(123456789012.0, Fixed, 9, 2), "1.23456789E11");

    EXPECT_EQ(c(1234567.891, Number, 15, 2), "1,234,567.89");
    EXPECT_EQ(c(-999.999, Number, 15, 2), "-1,000.00");
}

TEST_F(FloatFormat, RussianLocaleUsesCommaAndNoBreakSpace)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(FloatToStrF(1234.5, General, 9, 1), "1234,5");
    EXPECT_EQ(FloatToStrF(1234567.891, Number, 15, 2), QStringLiteral("1\u00A0234\u00A0567,89"));
    EXPECT_EQ(FloatToStrF(-0.5, Fixed, 9, 3), "-0,500");
    EXPECT_EQ(FloatToStrF(1234.5, Exponent, 4, 2), "1,235E+03");
}

TEST_F(FloatFormat, NotANumberInfinityAndDamagedSettingsGiveText)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (int format = General; format <= Number + 1; ++format) {
        EXPECT_EQ(c(std::numeric_limits<double>::quiet_NaN(), format, 9, 2), "NAN");
        EXPECT_EQ(c(inf, format, 9, 2), "INF");
        EXPECT_EQ(c(-inf, format, 9, 2), "-INF");
    }
    EXPECT_EQ(c(1.5, General, 0, -7), "1.5");
    EXPECT_EQ(c(1.0 / 3.0, General, 200, 2), "0.33333333333333331");
    EXPECT_EQ(c(1e-300, Fixed, 9, 200), "0." + QString(18, QLatin1Char('0')));
    EXPECT_EQ(c(-1e308, Number, 17, 2), "-1E308");
}

TEST_F(FloatFormat, LevelAsTextWithTitleAndUnit)
{
    TIODouble level;
    level.Description.Title = QStringLiteral("Уровень");
    level.Description.Dimension = QStringLiteral("мм");
    level.Description.Digits = 1;
    level.SetValue(1234.5);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(level.AsText(true, true), QStringLiteral("Уровень: 1234,5, мм"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(level.AsText(true, true), QStringLiteral("Уровень: 1234.5, мм"));
    EXPECT_EQ(level.AsText(false, true), QStringLiteral("1234.5, мм"));
    EXPECT_EQ(level.AsText(false, false), QStringLiteral("1234.5"));

    level.Description.Format = Fixed;
    level.Description.Dimension = QStringLiteral("  ");
    EXPECT_EQ(level.AsText(true, true), QStringLiteral("Уровень: 1234.5"));
    level.Value = QStringLiteral("нет");
    EXPECT_EQ(level.AsText(true, true), QString());
}
