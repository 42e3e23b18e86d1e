#pragma once
// TVHistogram: the vertical bar indicator of the readings window. The bar
// fills from the bottom up to the present value; a scale strip with the
// alarm and attention zones, scale marks with their values and a caption can
// be drawn over it. Colours are 0x00BBGGRR integers.

#include "ui/widgets/vhistogram_scale.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

class TVHistogram : public QWidget
{
    Q_OBJECT

public:
    enum TBorder { bNone, bLower, bUpper };
    enum TColorProductType { cptAuto, cptManual };
    enum TScaleAlignment { saLeft, saRight };

    explicit TVHistogram(QWidget *parent = nullptr);

    TBorder Border() const { return m_border; }
    void SetBorder(TBorder border);
    // Border width: 1 pixel unless bNone.
    int BorderWidth() const { return m_border == bNone ? 0 : 1; }

    double Value() const { return m_value; }
    // Taken only when Min <= v <= Max and v differs from the present value.
    void SetValue(double v);
    double Max() const { return m_max; }
    // Taken only when >= Min and different.
    void SetMax(double v);
    double Min() const { return m_min; }
    // Taken only when <= Max and different.
    void SetMin(double v);
    // Both taken only when min <= max.
    void SetRange(double max, double min);

    uint32_t ColorZoneAlarm() const { return m_colorZoneAlarm; }
    void SetColorZoneAlarm(uint32_t color);
    uint32_t ColorZoneAttention() const { return m_colorZoneAttention; }
    void SetColorZoneAttention(uint32_t color);
    int ScaleOffset() const { return m_scaleOffset; }
    void SetScaleOffset(int pixels);
    TColorProductType ColorProductType() const { return m_colorProductType; }
    void SetColorProductType(TColorProductType type);
    uint32_t ColorProduct() const { return m_colorProduct; }
    void SetColorProduct(uint32_t color);
    uint32_t ColorEmpty() const { return m_colorEmpty; }
    void SetColorEmpty(uint32_t color);
    uint32_t ColorScale() const { return m_colorScale; }
    void SetColorScale(uint32_t color);
    uint32_t ColorValues() const { return m_colorValues; }
    void SetColorValues(uint32_t color);

    double DValueSmall() const { return m_dValueSmall; }
    // Taken only when >= 0, within Min..Max and different.
    void SetDValueSmall(double v);
    double DValueBig() const { return m_dValueBig; }
    void SetDValueBig(double v);
    // Digits after the decimal point of the scale labels; taken when >= 0.
    int DecimalSign() const { return m_decimalSign; }
    void SetDecimalSign(int digits);

    bool ShowScaleMarks() const { return m_showScaleMarks; }
    void SetShowScaleMarks(bool on);
    bool ShowScaleZones() const { return m_showScaleZones; }
    void SetShowScaleZones(bool on);
    bool ShowValues() const { return m_showValues; }
    void SetShowValues(bool on);
    TScaleAlignment ScaleAlignment() const { return m_scaleAlignment; }
    void SetScaleAlignment(TScaleAlignment alignment);
    bool ScaleReverse() const { return m_scaleReverse; }
    void SetScaleReverse(bool on);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &text);

    // Pixel row of v on this control (-1 when Max equals Min).
    int Row(double v) const { return HistogramRow(v, m_min, m_max, height()); }
    THistogramZone Zone() const { return HistogramZone(m_value); }
    // The bar's colour for the present value.
    uint32_t BarColor() const;

    // The whole picture of the control at its present size.
    QImage Render() const;

    QSize sizeHint() const override { return {50, 200}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    template <typename T>
    void change(T &field, const T &value);
    void paintZones(class QPainter &p) const;
    void paintMarks(QPainter &p) const;
    void paintMark(QPainter &p, double value, int length) const;
    void paintCaption(QPainter &p) const;
    void paintBorder(QPainter &p) const;
    int scaleLeft() const;
    int scaleRight() const;

    TBorder m_border = bLower;
    double m_value = 0;
    double m_max = 100;
    double m_min = 0;
    uint32_t m_colorZoneAlarm = 0x0000FF;     // red
    uint32_t m_colorZoneAttention = 0x00FFFF; // yellow
    int m_scaleOffset = 0;
    TColorProductType m_colorProductType = cptManual;
    uint32_t m_colorProduct = 0x800000; // navy
    uint32_t m_colorEmpty = 0xC0C0C0;   // silver
    uint32_t m_colorScale = 0x808080;   // grey
    uint32_t m_colorValues = 0x808080;  // grey
    double m_dValueSmall = 2;
    double m_dValueBig = 10;
    int m_decimalSign = 1;
    bool m_showScaleMarks = false;
    bool m_showScaleZones = false;
    bool m_showValues = false;
    TScaleAlignment m_scaleAlignment = saLeft;
    bool m_scaleReverse = false;
    QString m_caption;
};
