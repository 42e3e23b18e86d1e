#pragma once
// Observable values: every displayed, graphed or archived reading of the
// gauge is one of them. A value holds the raw value as last set, the
// converted value that readers and listeners get, a time stamp, change
// events, and a list of downstream values that receive every new value.
//
// Values live in the user-interface thread; events and propagation run
// synchronously inside SetValue.

#include "values/descriptions.h"
#include "values/time_out.h"

#include <QList>
#include <QVariant>
#include <functional>
#include <memory>

class TIOData
{
public:
    using TNotify = std::function<void(TIOData *sender)>;

    TIOData();
    virtual ~TIOData();
    TIOData(const TIOData &) = delete;
    TIOData &operator=(const TIOData &) = delete;

    // Computes the converted value from RawValue; false when it cannot.
    virtual bool Convert(QVariant &value) const = 0;
    // The set operation; stamp 0 means now.
    virtual void SetValue(const QVariant &value, TDateTime stamp = 0);
    virtual QVariant GetRawValue() const { return RawValue; }
    // Makes this value a listener of source (none: unlink). Refused (false)
    // when this value would become its own source, directly or through a chain.
    virtual bool SetSource(TIOData *source, bool copyNow);
    virtual QVariant GetValue() const { return Value; }
    // Copies Active (the typed values also their descriptor).
    virtual void Assign(const TIOData &source);

    TIOData *Source() const { return m_source; }
    const QList<TIOData *> &Listeners() const { return m_listeners; }

    TNotify OnChange;    // converted value changed
    TNotify OnRawSet;    // every set of the raw value
    TNotify OnSet;       // every set of the converted value
    TNotify OnRawChange; // raw value changed

    QVariant RawValue;
    QVariant Value;
    int32_t Tag = 0;
    bool Active = true;
    TTimeOut Stamp;

private:
    void removeListener(TIOData *listener);

    TIOData *m_source = nullptr;
    QList<TIOData *> m_listeners;
    // Event handlers and listeners may free this value while it notifies
    // them; SetValue holds a weak reference to this token to notice that.
    std::shared_ptr<const bool> m_lifeToken = std::make_shared<const bool>(true);
};

// Converted value is a copy of the raw value.
class TCustomIOData : public TIOData
{
public:
    bool Convert(QVariant &value) const override;
};

// Converted value is the raw value as a double.
class TiodDoubleToDouble : public TCustomIOData
{
public:
    bool Convert(QVariant &value) const override;
};

class TIODouble : public TiodDoubleToDouble
{
public:
    TIODouble();
    void Assign(const TIOData &source) override;
    double AsDouble() const { return Value.toDouble(); }
    // The number in the descriptor's format; with the title in front
    // ("Title: number") and the unit behind (", unit") when asked.
    QString AsText(bool withTitle, bool withDimension) const;

    TDescriptionOfDouble Description;
};

// Converted value is the raw value as an integer, held as an 8-bit unsigned.
class TiodThreeStatesToThreeStates : public TCustomIOData
{
public:
    bool Convert(QVariant &value) const override;
};

class TIOThreeStates : public TiodThreeStatesToThreeStates
{
public:
    TIOThreeStates();
    void Assign(const TIOData &source) override;
    int AsInt() const { return Value.toInt(); }

    TDescriptionOfThreeStates Description;
};
