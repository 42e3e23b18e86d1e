#include "ui/widgets/bgr_color.h"
#include "ui/widgets/vhistogram.h"

#include "support/gui_application.h"

#include <gtest/gtest.h>

namespace {

class VHistogram : public GuiTest
{
protected:
    // Colour of one pixel of the indicator's picture, as 0x00BBGGRR.
    static uint32_t pixel(const TVHistogram &h, int x, int y)
    {
        const QColor c = h.Render().pixelColor(x, y);
        return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
    }

    static bool rowHasColour(const QImage &image, int row, int fromX, int toX, const QColor &colour)
    {
        for (int x = fromX; x <= toX; ++x)
            if (image.pixelColor(x, row) == colour)
                return true;
        return false;
    }

    TVHistogram h; // 50 x 200, 0..100, sunken border
};

} // namespace

TEST(HistogramScale, RowsRoundHalvesToEvenAndNoRangeHasNoRow)
{
    EXPECT_EQ(HistogramRow(50, 0, 100, 200), 100);
    EXPECT_EQ(HistogramRow(0, 0, 100, 200), 200);
    EXPECT_EQ(HistogramRow(100, 0, 100, 200), 0);
    EXPECT_EQ(HistogramRow(150, 100, 200, 200), 100);
    // 0..400 on 200 pixels: half a pixel per unit.
    EXPECT_EQ(HistogramRow(1, 0, 400, 200), 200); // 0.5 -> 0
    EXPECT_EQ(HistogramRow(3, 0, 400, 200), 198); // 1.5 -> 2
    EXPECT_EQ(HistogramRow(5, 0, 400, 200), 198); // 2.5 -> 2
    EXPECT_EQ(HistogramRow(7, 0, 400, 200), 196); // 3.5 -> 4
    EXPECT_EQ(HistogramRow(42, 7, 7, 200), -1);
    // A threshold far outside a tiny range lands off the control, no overflow.
    EXPECT_LT(HistogramRow(85, 0, 1e-9, 200), -1000000);
}

TEST(HistogramScale, ZonesAtTheirThresholds)
{
    EXPECT_EQ(HistogramZone(85), THistogramZone::UpperAlarm);
    EXPECT_EQ(HistogramZone(84.9), THistogramZone::UpperAttention);
    EXPECT_EQ(HistogramZone(80), THistogramZone::UpperAttention);
    EXPECT_EQ(HistogramZone(79.99), THistogramZone::Normal);
    EXPECT_EQ(HistogramZone(20.01), THistogramZone::Normal);
    EXPECT_EQ(HistogramZone(20), THistogramZone::LowerAttention);
    EXPECT_EQ(HistogramZone(15.01), THistogramZone::LowerAttention);
    EXPECT_EQ(HistogramZone(15), THistogramZone::LowerAlarm);
    EXPECT_EQ(HistogramZone(-3), THistogramZone::LowerAlarm);
}

TEST(HistogramScale, StepsRoundUpToOneTwoFive)
{
    EXPECT_EQ(HistogramScaleStep(0, 100, 200), 5);      // 20 marks, 5 each
    EXPECT_EQ(HistogramScaleStep(0, 1000, 200), 50);    // exactly 50
    EXPECT_EQ(HistogramScaleStep(0, 1100, 200), 100);   // 55 -> 100
    EXPECT_EQ(HistogramScaleStep(0, 60, 200), 5);       // 3 -> 5
    EXPECT_EQ(HistogramScaleStep(0, 20, 200), 1);       // 1 is above 0.5
    EXPECT_EQ(HistogramScaleStep(0, 10, 200), 0.5);     // 0.5 and below stay
    EXPECT_EQ(HistogramScaleStep(0, 6, 200), 0.3);
    EXPECT_EQ(HistogramScaleStep(0, 200000, 200), 10000);
    EXPECT_EQ(HistogramScaleStep(0, 240000, 200), 12000); // above 10000 stays
    EXPECT_EQ(HistogramScaleStep(0, 100, 9), 0);           // no room for a mark
    EXPECT_EQ(HistogramScaleStep(5, 5, 200), 0);           // no range
}

TEST_F(VHistogram, ValuesOutsideTheRangeAreIgnored)
{
    h.SetValue(40);
    h.SetValue(120);
    EXPECT_EQ(h.Value(), 40);
    h.SetValue(-1);
    EXPECT_EQ(h.Value(), 40);
    h.SetMax(30); // any maximum not below the minimum
    EXPECT_EQ(h.Max(), 30);
    h.SetMin(31);
    EXPECT_EQ(h.Min(), 0);
    h.SetRange(10, 20);
    EXPECT_EQ(h.Min(), 0);
    EXPECT_EQ(h.Max(), 30);
}

TEST_F(VHistogram, BarFillsFromTheBottomUpToTheValueRow)
{
    h.SetValue(50); // row 100
    EXPECT_EQ(pixel(h, 25, 99), 0xC0C0C0u);  // silver above
    EXPECT_EQ(pixel(h, 25, 100), 0x800000u); // navy from the value's row down
    EXPECT_EQ(pixel(h, 25, 198), 0x800000u);
    // Sunken border: dark top and left, light right and bottom.
    EXPECT_EQ(pixel(h, 0, 50), 0x000000u);
    EXPECT_EQ(pixel(h, 25, 0), 0x000000u);
    EXPECT_EQ(pixel(h, 49, 150), 0xFFFFFFu);
    EXPECT_EQ(pixel(h, 25, 199), 0xFFFFFFu);
    h.SetBorder(TVHistogram::bUpper);
    EXPECT_EQ(pixel(h, 0, 50), 0xFFFFFFu);
    EXPECT_EQ(pixel(h, 25, 199), 0x000000u);
}

TEST_F(VHistogram, AutomaticColourFollowsTheZones)
{
    EXPECT_EQ(h.BarColor(), 0x800000u); // manual: always the product's colour
    h.SetValue(90);
    EXPECT_EQ(h.BarColor(), 0x800000u);

    h.SetColorProductType(TVHistogram::cptAuto);
    struct Case {
        double value;
        uint32_t colour;
    } cases[] = {{85, 0x0000FF}, {84.9, 0x00FFFF}, {50, 0x800000}, {20, 0x00FFFF}, {15, 0x0000FF}};
    for (const Case &c : cases) {
        h.SetValue(c.value);
        EXPECT_EQ(h.BarColor(), c.colour) << c.value;
        EXPECT_EQ(pixel(h, 25, 198), c.colour) << c.value;
    }
}

TEST_F(VHistogram, ColoursAreReadBlueGreenRed)
{
    EXPECT_EQ(ColorFromBGR(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromBGR(0x800000), QColor(0, 0, 128));
    EXPECT_EQ(ColorFromBGR(0x00FF80), QColor(128, 255, 0));
    EXPECT_EQ(ColorFromBGR(0x8000000F), QGuiApplication::palette().color(QPalette::Button));
}

TEST_F(VHistogram, ScaleMarksEveryStepAndHalfStep)
{
    h.SetShowScaleMarks(true);
    h.SetColorScale(0x00FF00); // lime, to tell the marks from the bar
    h.SetValue(100);           // the whole bar navy
    const QImage image = h.Render();
    const QColor lime(0, 255, 0);
    const QColor navy(0, 0, 128);
    // Major mark of 5 at row 190 from x0 = 1 over 10 pixels; minor mark of
    // 2.5 at row 195 over 5 pixels.
    EXPECT_EQ(image.pixelColor(1, 190), lime);
    EXPECT_EQ(image.pixelColor(10, 190), lime);
    EXPECT_EQ(image.pixelColor(11, 190), navy);
    EXPECT_EQ(image.pixelColor(5, 195), lime);
    EXPECT_EQ(image.pixelColor(6, 195), navy);
    EXPECT_EQ(image.pixelColor(10, 10), lime); // 95
    EXPECT_FALSE(rowHasColour(image, 192, 1, 48, lime));

    // Right-aligned: the marks end at x1 = 48.
    h.SetScaleAlignment(TVHistogram::saRight);
    const QImage right = h.Render();
    EXPECT_EQ(right.pixelColor(48, 190), lime);
    EXPECT_EQ(right.pixelColor(39, 190), lime);
    EXPECT_EQ(right.pixelColor(38, 190), navy);

    // Reversed, the scale runs from the top: the mark of m sits where
    // Max - m would. On 0..93 (step 5) the mark of 5 lands on row
    // y(88) = 11, where the plain scale has none.
    h.SetScaleAlignment(TVHistogram::saLeft);
    h.SetRange(93, 0);
    h.SetValue(93);
    EXPECT_EQ(h.Render().pixelColor(8, 11), navy);
    h.SetScaleReverse(true);
    EXPECT_EQ(h.Render().pixelColor(8, 11), lime);
}

TEST_F(VHistogram, ZonesColourTheStripAndMarkTheirThresholds)
{
    h.SetShowScaleZones(true);
    const QImage image = h.Render();
    const QColor red(255, 0, 0), yellow(255, 255, 0), grey(128, 128, 128);
    // Strip at x0 = 1..3 on the left; y(85) = 30, y(80) = 40, y(20) = 160,
    // y(15) = 170.
    EXPECT_EQ(image.pixelColor(2, 10), red);
    EXPECT_EQ(image.pixelColor(2, 35), yellow);
    EXPECT_EQ(image.pixelColor(2, 100), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(2, 165), yellow);
    EXPECT_EQ(image.pixelColor(2, 185), red);
    EXPECT_EQ(image.pixelColor(1, 100), grey); // the scale line along the edge
    // Dotted lines across the whole width at the thresholds.
    EXPECT_TRUE(rowHasColour(image, 30, 20, 45, red));
    EXPECT_TRUE(rowHasColour(image, 40, 20, 45, yellow));
    EXPECT_TRUE(rowHasColour(image, 160, 20, 45, yellow));
    EXPECT_FALSE(rowHasColour(image, 100, 20, 45, red));

    // A reversed scale has no zones.
    h.SetScaleReverse(true);
    EXPECT_EQ(h.Render().pixelColor(2, 10), QColor(192, 192, 192));
}
