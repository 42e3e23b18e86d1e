#include "values/io_data.h"

#include "values/float_format.h"

namespace {

// A handler that fails ends its own step only: the reading is stored and the
// other windows still hear of it. The handler is copied first because it may
// replace itself while it runs.
void notify(const TIOData::TNotify &handler, TIOData *sender)
{
    if (!handler)
        return;
    const TIOData::TNotify call = handler;
    try {
        call(sender);
    } catch (...) {
    }
}

} // namespace

// --- TIOData ---------------------------------------------------------------

TIOData::TIOData()
    : RawValue(QVariant::fromValue<quint8>(0))
    , Value(QVariant::fromValue<quint8>(0))
{
}

TIOData::~TIOData()
{
    if (m_source)
        m_source->removeListener(this);
    // The listeners outlive their source: they are left without one rather
    // than with a pointer to a freed value.
    for (TIOData *listener : std::as_const(m_listeners))
        listener->m_source = nullptr;
}

void TIOData::removeListener(TIOData *listener)
{
    m_listeners.removeAll(listener);
}

void TIOData::SetValue(const QVariant &value, TDateTime stamp)
{
    Stamp.SetTimeStamp(stamp != 0 ? stamp : NowDateTime());
    const QVariant oldRaw = RawValue;
    RawValue = value;
    if (!Active)
        return;

    // From here on, code outside this value runs and may free it.
    const std::weak_ptr<const bool> life = m_lifeToken;
    notify(OnRawSet, this);
    if (life.expired())
        return;
    if (oldRaw != RawValue) {
        notify(OnRawChange, this);
        if (life.expired())
            return;
    }

    bool changed = false;
    QVariant converted;
    if (Convert(converted)) {
        changed = converted != Value;
        Value = converted;
    }
    notify(OnSet, this);
    if (life.expired())
        return;
    if (changed) {
        notify(OnChange, this);
        if (life.expired())
            return;
    }

    // The listeners get this value's stamp, so a whole chain carries the
    // moment of the reading. A listener may link or unlink values (its own
    // or others') while it is told: the walk goes over the list as it was,
    // skipping whoever has left it since.
    const QList<TIOData *> listeners = m_listeners;
    for (TIOData *listener : listeners) {
        if (!m_listeners.contains(listener))
            continue;
        listener->SetValue(Value, Stamp.GetTimeStamp());
        if (life.expired())
            return;
    }
}

bool TIOData::SetSource(TIOData *source, bool copyNow)
{
    // A loop would make every set run round it for ever.
    for (const TIOData *up = source; up; up = up->m_source) {
        if (up == this)
            return false;
    }
    if (m_source)
        m_source->removeListener(this);
    m_source = source;
    if (!source)
        return true;
    source->m_listeners.append(this);
    if (copyNow)
        SetValue(source->GetValue(), source->Stamp.GetTimeStamp());
    return true;
}

void TIOData::Assign(const TIOData &source)
{
    Active = source.Active;
}

// --- Converters ------------------------------------------------------------

bool TCustomIOData::Convert(QVariant &value) const
{
    value = RawValue;
    return true;
}

bool TiodDoubleToDouble::Convert(QVariant &value) const
{
    bool ok = false;
    const double number = RawValue.toDouble(&ok);
    if (!ok)
        return false;
    value = number;
    return true;
}

bool TiodThreeStatesToThreeStates::Convert(QVariant &value) const
{
    bool ok = false;
    const int number = RawValue.toInt(&ok);
    if (!ok || number < 0 || number > 255)
        return false;
    value = QVariant::fromValue<quint8>(quint8(number));
    return true;
}

// --- TIODouble -------------------------------------------------------------

TIODouble::TIODouble() = default;

void TIODouble::Assign(const TIOData &source)
{
    TiodDoubleToDouble::Assign(source);
    if (const auto *number = dynamic_cast<const TIODouble *>(&source))
        Description.Assign(number->Description);
}

QString TIODouble::AsText(bool withTitle, bool withDimension) const
{
    bool ok = false;
    const double number = Value.toDouble(&ok);
    if (!ok)
        return {};
    QString text = FloatToStrF(number, Description.Format, Description.Precision, Description.Digits);
    if (withTitle)
        text = (Description.Title + QStringLiteral(": ") + text).trimmed();
    if (withDimension && !Description.Dimension.trimmed().isEmpty())
        text += QStringLiteral(", ") + Description.Dimension;
    return text;
}

// --- TIOThreeStates --------------------------------------------------------

TIOThreeStates::TIOThreeStates() = default;

void TIOThreeStates::Assign(const TIOData &source)
{
    TiodThreeStatesToThreeStates::Assign(source);
    if (const auto *states = dynamic_cast<const TIOThreeStates *>(&source))
        Description.Assign(states->Description);
}
