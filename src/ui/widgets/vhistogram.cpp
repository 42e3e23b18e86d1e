#include "ui/widgets/vhistogram.h"

#include "ui/widgets/bgr_color.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int MajorMarkLength = 10;
constexpr int MinorMarkLength = 5;
// A scale never has more marks than its pixels allow; the cap only guards
// against steps lost in the rounding of huge bounds.
constexpr int MaxMarks = 10000;

} // namespace

TVHistogram::TVHistogram(QWidget *parent)
    : QWidget(parent)
{
    resize(50, 200);
}

template <typename T>
void TVHistogram::change(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TVHistogram::SetBorder(TBorder border) { change(m_border, border); }

void TVHistogram::SetValue(double v)
{
    if (v >= m_min && v <= m_max)
        change(m_value, v);
}

void TVHistogram::SetMax(double v)
{
    if (v >= m_min)
        change(m_max, v);
}

void TVHistogram::SetMin(double v)
{
    if (v <= m_max)
        change(m_min, v);
}

void TVHistogram::SetRange(double max, double min)
{
    if (min > max || (min == m_min && max == m_max))
        return;
    m_min = min;
    m_max = max;
    update();
}

void TVHistogram::SetColorZoneAlarm(uint32_t color) { change(m_colorZoneAlarm, color); }
void TVHistogram::SetColorZoneAttention(uint32_t color) { change(m_colorZoneAttention, color); }
void TVHistogram::SetScaleOffset(int pixels) { change(m_scaleOffset, pixels); }
void TVHistogram::SetColorProductType(TColorProductType type) { change(m_colorProductType, type); }
void TVHistogram::SetColorProduct(uint32_t color) { change(m_colorProduct, color); }
void TVHistogram::SetColorEmpty(uint32_t color) { change(m_colorEmpty, color); }
void TVHistogram::SetColorScale(uint32_t color) { change(m_colorScale, color); }
void TVHistogram::SetColorValues(uint32_t color) { change(m_colorValues, color); }

void TVHistogram::SetDValueSmall(double v)
{
    if (v >= 0 && v >= m_min && v <= m_max)
        change(m_dValueSmall, v);
}

void TVHistogram::SetDValueBig(double v)
{
    if (v >= 0 && v >= m_min && v <= m_max)
        change(m_dValueBig, v);
}

void TVHistogram::SetDecimalSign(int digits)
{
    if (digits >= 0)
        change(m_decimalSign, digits);
}

void TVHistogram::SetShowScaleMarks(bool on) { change(m_showScaleMarks, on); }
void TVHistogram::SetShowScaleZones(bool on) { change(m_showScaleZones, on); }
void TVHistogram::SetShowValues(bool on) { change(m_showValues, on); }
void TVHistogram::SetScaleAlignment(TScaleAlignment alignment) { change(m_scaleAlignment, alignment); }
void TVHistogram::SetScaleReverse(bool on) { change(m_scaleReverse, on); }
void TVHistogram::SetCaption(const QString &text) { change(m_caption, text); }

uint32_t TVHistogram::BarColor() const
{
    if (m_colorProductType == cptManual)
        return m_colorProduct;
    switch (Zone()) {
    case THistogramZone::UpperAlarm:
    case THistogramZone::LowerAlarm: return m_colorZoneAlarm;
    case THistogramZone::UpperAttention:
    case THistogramZone::LowerAttention: return m_colorZoneAttention;
    case THistogramZone::Normal: break;
    }
    return m_colorProduct;
}

// Outer edge of the scale strip, left and right alignment.
int TVHistogram::scaleLeft() const { return BorderWidth() + m_scaleOffset; }
int TVHistogram::scaleRight() const { return width() - BorderWidth() - m_scaleOffset - 1; }

QImage TVHistogram::Render() const
{
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.setFont(font());
    const int w = width();
    const int h = height();

    p.fillRect(0, 0, w, h, ColorFromBGR(m_colorEmpty));
    const int row = Row(m_value);
    if (row >= 0)
        p.fillRect(0, row, w, h - row, ColorFromBGR(BarColor()));

    if (m_scaleReverse) {
        paintMarks(p);
    } else {
        if (m_showScaleZones)
            paintZones(p);
        paintMarks(p);
    }
    paintCaption(p);
    paintBorder(p);
    return image;
}

void TVHistogram::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, Render());
}

void TVHistogram::paintZones(QPainter &p) const
{
    if (m_max == m_min)
        return;
    const int w = width();
    const int h = height();
    // The strip lies inside the scale line at its outer edge: two coloured
    // columns and the line, on either side.
    const int stripLeft = m_scaleAlignment == saLeft ? scaleLeft() : scaleRight() - 2;
    const int stripWidth = m_scaleAlignment == saLeft ? 3 : 2;
    struct Threshold {
        double value;
        bool upwards;
        uint32_t color;
    };
    // Attention before alarm, so the alarm colour stays at the scale's ends.
    const Threshold thresholds[] = {
        {HistogramUpperAttention, true, m_colorZoneAttention},
        {HistogramUpperAlarm, true, m_colorZoneAlarm},
        {HistogramLowerAttention, false, m_colorZoneAttention},
        {HistogramLowerAlarm, false, m_colorZoneAlarm},
    };
    for (const Threshold &t : thresholds) {
        const int row = Row(t.value);
        const QColor color = ColorFromBGR(t.color);
        const QRect zone = t.upwards ? QRect(stripLeft, 0, stripWidth, std::clamp(row, 0, h))
                                     : QRect(stripLeft, std::clamp(row, 0, h), stripWidth, h - std::clamp(row, 0, h));
        if (!zone.isEmpty())
            p.fillRect(zone, color);
        p.setPen(QPen(color, 0, Qt::DotLine));
        p.drawLine(0, row, w - 1, row);
    }
    const int edge = m_scaleAlignment == saLeft ? scaleLeft() : scaleRight();
    p.setPen(QPen(ColorFromBGR(m_colorScale), 0, Qt::SolidLine));
    p.drawLine(edge, h - 1, edge, 1);
}

void TVHistogram::paintMarks(QPainter &p) const
{
    if (!m_showScaleMarks)
        return;
    const double step = HistogramScaleStep(m_min, m_max, height());
    if (step <= 0)
        return;
    p.setPen(QPen(ColorFromBGR(m_colorScale), 0, Qt::SolidLine));
    for (int k = 1; k < MaxMarks && m_min + k * step / 2 < m_max; ++k)
        paintMark(p, m_min + k * step / 2, MinorMarkLength);
    for (int k = 1; k < MaxMarks && m_min + k * step < m_max; ++k)
        paintMark(p, m_min + k * step, MajorMarkLength);
}

void TVHistogram::paintMark(QPainter &p, double value, int length) const
{
    // A reversed scale runs from the top down: the mark of m sits where
    // Max - m would.
    const int row = Row(m_scaleReverse ? m_max - value : value);
    if (m_scaleAlignment == saLeft)
        p.drawLine(scaleLeft(), row, scaleLeft() + length - 1, row);
    else
        p.drawLine(scaleRight() - length + 1, row, scaleRight(), row);
    if (length != MajorMarkLength || !m_showValues)
        return;

    const QString text = FloatToStrF(value, TDescriptionOfDouble::ffNumber, 9, m_decimalSign);
    const QFontMetrics metrics(p.font());
    const int textWidth = metrics.horizontalAdvance(text);
    const int x = m_scaleAlignment == saLeft ? BorderWidth() + 20 : width() - BorderWidth() - 21 - textWidth;
    const QPen scalePen = p.pen();
    p.setPen(ColorFromBGR(m_colorValues));
    p.drawText(x, row - metrics.height() / 2 + metrics.ascent(), text);
    p.setPen(scalePen);
}

void TVHistogram::paintCaption(QPainter &p) const
{
    if (m_caption.isEmpty())
        return;
    const QFontMetrics metrics(p.font());
    const int x = (width() - metrics.horizontalAdvance(m_caption)) / 2;
    const int top = metrics.height() / 2;
    p.setPen(ColorFromBGR(m_colorValues));
    p.drawText(x, top + metrics.ascent(), m_caption);
}

void TVHistogram::paintBorder(QPainter &p) const
{
    if (m_border == bNone)
        return;
    const int r = width() - 1;
    const int b = height() - 1;
    // Sunken: light falls from the top left onto a recessed bar.
    const QColor topLeft = m_border == bLower ? Qt::black : Qt::white;
    const QColor bottomRight = m_border == bLower ? Qt::white : Qt::black;
    p.setPen(QPen(bottomRight, 0));
    p.drawLine(r, 0, r, b);
    p.drawLine(0, b, r, b);
    p.setPen(QPen(topLeft, 0));
    p.drawLine(0, 0, r, 0);
    p.drawLine(0, 0, 0, b);
}
