#include "ui/widgets/io_double_visual.h"
#include "ui/widgets/vhistogram.h"

#include "support/gui_application.h"

#include <gtest/gtest.h>

namespace {

class VisualValue : public GuiTest
{
protected:
    TIODouble source; // the model's value
};

} // namespace

TEST_F(VisualValue, LabelShowsTitleNumberAndUnitOnEveryChange)
{
    TIODoubleLabel level;
    level.Description.Title = QStringLiteral("Уровень");
    level.Description.Hint = QStringLiteral("Уровень продукта");
    level.Description.Dimension = QStringLiteral("мм");
    level.Description.Format = TDescriptionOfDouble::ffExponent;
    level.Description.Digits = 2;
    QLabel title, number, unit;
    level.TitleControl = &title;
    level.SetValueControl(&number);
    level.DimensionControl = &unit;
    ASSERT_TRUE(level.SetSource(&source, false));
    EXPECT_EQ(number.text(), "");

    source.SetValue(1234.5);
    EXPECT_EQ(title.text(), "Уровень");
    EXPECT_EQ(number.text(), QStringLiteral("1\u00A0234,50"));
    EXPECT_EQ(unit.text(), "мм");
    EXPECT_EQ(number.toolTip(), QStringLiteral("Уровень\nУровень продукта\n1\u00A0234,50 мм"));

    // Only a change redraws.
    number.setText(QStringLiteral("x"));
    source.SetValue(1234.5);
    EXPECT_EQ(number.text(), "x");
    source.SetValue(-0.004);
    EXPECT_EQ(number.text(), "0,00");
}

TEST_F(VisualValue, NotANumberLeavesNumberAndUnit)
{
    TIODoubleStaticText value;
    value.Description.Title = QStringLiteral("Температура");
    value.Description.Dimension = QStringLiteral("°C");
    QLabel title, number, unit;
    value.TitleControl = &title;
    value.SetValueControl(&number);
    value.DimensionControl = &unit;
    EXPECT_EQ(number.frameShadow(), QFrame::Sunken);
    number.setText(QStringLiteral("21,00"));
    value.Value = QStringLiteral("нет");
    value.Show();
    EXPECT_EQ(title.text(), "Температура");
    EXPECT_EQ(number.text(), "21,00");
    EXPECT_EQ(unit.text(), "");
}

TEST_F(VisualValue, HistogramTakesTheNumberAsItsHeight)
{
    TIODoubleVHistogram value;
    value.Description.Title = QStringLiteral("Уровень");
    TVHistogram bar;
    value.SetValueControl(&bar);
    value.SetSource(&source, false);
    source.SetValue(42);
    EXPECT_EQ(bar.Value(), 42);
    EXPECT_TRUE(bar.toolTip().startsWith(QStringLiteral("Уровень\n")));
}

TEST_F(VisualValue, ControlsFreedBeforeTheValueAreLeftAlone)
{
    TIODoubleLabel value;
    auto *number = new QLabel;
    auto *unit = new QLabel;
    value.SetValueControl(number);
    value.DimensionControl = unit;
    value.SetSource(&source, false);
    delete number;
    delete unit;
    source.SetValue(7);
    EXPECT_EQ(value.AsDouble(), 7);
}
