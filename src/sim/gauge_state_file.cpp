#include "sim/gauge_state_file.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>
#include <limits>

namespace {

const QString kKind = QStringLiteral("tolm-sim gauge state");
constexpr int kVersion = 1;

QJsonValue floatToJson(float v)
{
    if (std::isnan(v))
        return QStringLiteral("nan");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return double(v);
}

bool floatFromJson(const QJsonValue &v, float &out)
{
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (std::fabs(d) > double(std::numeric_limits<float>::max()))
            return false;
        out = float(d);
        return true;
    }
    const QString s = v.toString();
    if (s == QLatin1String("nan"))
        out = std::numeric_limits<float>::quiet_NaN();
    else if (s == QLatin1String("inf"))
        out = std::numeric_limits<float>::infinity();
    else if (s == QLatin1String("-inf"))
        out = -std::numeric_limits<float>::infinity();
    else
        return false;
    return true;
}

// An integral JSON number within 0..max.
template <typename T>
bool unsignedFromJson(const QJsonValue &v, T &out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < 0 || d > double(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(d);
    return true;
}

template <typename T, typename Convert>
bool readMap(const QJsonObject &root, const char *name, std::map<uint8_t, T> &map, Convert convert,
             QString &error)
{
    const QJsonValue section = root.value(QLatin1String(name));
    if (section.isUndefined())
        return true;
    if (!section.isObject()) {
        error = QStringLiteral("\"%1\" is not an object").arg(QLatin1String(name));
        return false;
    }
    const QJsonObject obj = section.toObject();
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool ok = false;
        const uint number = it.key().toUInt(&ok);
        if (!ok || number > 255)
            continue;
        const auto slot = map.find(uint8_t(number));
        if (slot == map.end())
            continue;
        if (!convert(it.value(), slot->second)) {
            error = QStringLiteral("\"%1\" parameter %2 has a bad value").arg(QLatin1String(name)).arg(number);
            return false;
        }
    }
    return true;
}

template <typename T>
bool readField(const QJsonObject &root, const char *name, T &field, QString &error)
{
    const QJsonValue v = root.value(QLatin1String(name));
    if (v.isUndefined())
        return true;
    if (!unsignedFromJson(v, field)) {
        error = QStringLiteral("\"%1\" has a bad value").arg(QLatin1String(name));
        return false;
    }
    return true;
}

bool fromJson(const QJsonObject &root, TSimGaugeParameters &p, QString &error)
{
    if (root.value(QLatin1String("kind")).toString() != kKind) {
        error = QStringLiteral("not a gauge state file");
        return false;
    }
    if (root.value(QLatin1String("version")).toInt() != kVersion) {
        error = QStringLiteral("unknown version of the gauge state file");
        return false;
    }
    return readField(root, "systemAddress", p.systemAddress, error) &&
           readField(root, "plantNumber", p.plantNumber, error) &&
           readField(root, "deviceType", p.deviceType, error) &&
           readField(root, "hardVersion", p.hardVersion, error) &&
           readField(root, "softVersion", p.softVersion, error) &&
           readField(root, "softVersionHost", p.softVersionHost, error) &&
           readField(root, "softVersionCOS", p.softVersionCOS, error) &&
           readField(root, "crc16Host", p.crc16Host, error) &&
           readField(root, "crc16COS", p.crc16COS, error) &&
           readField(root, "predictionMode", p.predictionMode, error) &&
           readMap(root, "words", p.words, unsignedFromJson<uint16_t>, error) &&
           readMap(root, "floats", p.floats, floatFromJson, error) &&
           readMap(root, "bytes", p.bytes, unsignedFromJson<uint8_t>, error);
}

template <typename T, typename Convert>
QJsonObject mapToJson(const std::map<uint8_t, T> &map, Convert convert)
{
    QJsonObject obj;
    for (const auto &[number, value] : map)
        obj.insert(QString::number(number), convert(value));
    return obj;
}

QJsonObject toJson(const TSimGaugeParameters &p)
{
    QJsonObject root;
    root.insert(QStringLiteral("kind"), kKind);
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("systemAddress"), p.systemAddress);
    root.insert(QStringLiteral("plantNumber"), p.plantNumber);
    root.insert(QStringLiteral("deviceType"), p.deviceType);
    root.insert(QStringLiteral("hardVersion"), p.hardVersion);
    root.insert(QStringLiteral("softVersion"), p.softVersion);
    root.insert(QStringLiteral("softVersionHost"), p.softVersionHost);
    root.insert(QStringLiteral("softVersionCOS"), p.softVersionCOS);
    root.insert(QStringLiteral("crc16Host"), p.crc16Host);
    root.insert(QStringLiteral("crc16COS"), p.crc16COS);
    root.insert(QStringLiteral("predictionMode"), p.predictionMode);
    const auto integer = [](auto v) { return QJsonValue(int(v)); };
    root.insert(QStringLiteral("words"), mapToJson(p.words, integer));
    root.insert(QStringLiteral("floats"), mapToJson(p.floats, floatToJson));
    root.insert(QStringLiteral("bytes"), mapToJson(p.bytes, integer));
    return root;
}

} // namespace

TSimStateLoad LoadGaugeState(const QString &path, TSimGaugeParameters &params, QString &error)
{
    QFile file(path);
    if (!file.exists())
        return TSimStateLoad::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return TSimStateLoad::Corrupt;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        error = QStringLiteral("%1: %2").arg(path, parseError.error != QJsonParseError::NoError
                                                       ? parseError.errorString()
                                                       : QStringLiteral("not a JSON object"));
        return TSimStateLoad::Corrupt;
    }
    TSimGaugeParameters loaded = params;
    QString why;
    if (!fromJson(doc.object(), loaded, why)) {
        error = QStringLiteral("%1: %2").arg(path, why);
        return TSimStateLoad::Corrupt;
    }
    params = loaded;
    return TSimStateLoad::Loaded;
}

bool SaveGaugeState(const QString &path, const TSimGaugeParameters &params, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray text = QJsonDocument(toJson(params)).toJson(QJsonDocument::Indented);
    if (file.write(text) != text.size() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
