#pragma once
// Descriptors of observable values: the texts and display settings that
// windows, graphs and reports show for a value (title, hint, unit, range,
// number format), loadable from and savable to a section of settings.

#include <QString>
#include <array>
#include <cstdint>

class TSettingsStore;

enum TThreeStates : uint8_t { tsUnknown = 0, tsFalse = 1, tsTrue = 2 };

class TDescriptionOfCustomValue
{
public:
    TDescriptionOfCustomValue();
    virtual ~TDescriptionOfCustomValue() = default;

    // Section := owner's Section + "." + own Name; FileName := owner's FileName.
    virtual void SetOwner(const TDescriptionOfCustomValue &owner);
    virtual void SetName(const QString &text) { Name = text; }
    virtual void SetFileName(const QString &text) { FileName = text; }
    virtual void SetSection(const QString &text) { Section = text; }
    virtual void Assign(const TDescriptionOfCustomValue &source);

    QString Title;
    QString Hint;
    QString Name;
    QString FileName;
    QString Section;

    // Read every key of Section with the present field as default (Format
    // defaults to 1).
    virtual void LoadFrom(const TSettingsStore &ini);
    // Writes the keys of Section, base keys first.
    virtual void SaveTo(TSettingsStore &ini) const;
};

class TDescriptionOfValue : public TDescriptionOfCustomValue
{
public:
    TDescriptionOfValue();
};

class TDescriptionOfThreeStates : public TDescriptionOfValue
{
public:
    TDescriptionOfThreeStates();
    void Assign(const TDescriptionOfCustomValue &source) override;

    void SetCaptions(const QString &unknown, const QString &off, const QString &on);
    void SetColors1(uint32_t unknown, uint32_t off, uint32_t on);
    void SetColors2(uint32_t unknown, uint32_t off, uint32_t on);
    void SetCaption(TThreeStates state, const QString &text);

    // Indexed by TThreeStates. Colours are 0x00BBGGRR.
    std::array<QString, 3> Captions;
    std::array<uint32_t, 3> Color1;
    std::array<uint32_t, 3> Color2;

    void LoadFrom(const TSettingsStore &ini) override;
    void SaveTo(TSettingsStore &ini) const override;
};

class TDescriptionOfDouble : public TDescriptionOfValue
{
public:
    // Text formats of a number (as the workstations' float-to-text call).
    enum : uint8_t { ffGeneral = 0, ffExponent = 1, ffFixed = 2, ffNumber = 3 };

    TDescriptionOfDouble();
    void Assign(const TDescriptionOfCustomValue &source) override;

    double Min() const { return m_min; }
    double Max() const { return m_max; }
    // Taken only when x <= Max.
    void SetMin(double x);
    // Taken only when x >= Min.
    void SetMax(double x);
    // Both taken only when min <= max, else neither.
    void SetRange(double max, double min);

    QString Dimension;
    uint8_t Format = ffGeneral;
    uint8_t Precision = 9;
    uint8_t Digits = 2;

    void LoadFrom(const TSettingsStore &ini) override;
    void SaveTo(TSettingsStore &ini) const override;

private:
    double m_min = 0;
    double m_max = 100;
};
