#include "cli/cli_options.h"

#include <cmath>

namespace {

const QString SeeHelp = QStringLiteral("; см. tolm-cli --help");

// Splits "--name=value"; `name` is the whole argument when there is no "=".
void splitOption(const QString &arg, QString &name, QString &value, bool &inline_)
{
    const qsizetype eq = arg.indexOf(QLatin1Char('='));
    inline_ = arg.startsWith(QStringLiteral("--")) && eq > 2;
    name = inline_ ? arg.left(eq) : arg;
    value = inline_ ? arg.mid(eq + 1) : QString();
}

} // namespace

bool ParseInteger(const QString &text, qint64 lo, qint64 hi, qint64 &out)
{
    bool ok = false;
    const QString t = text.trimmed();
    const qint64 v = t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? t.mid(2).toLongLong(&ok, 16)
                                                                               : t.toLongLong(&ok, 10);
    if (!ok || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseNumber(const QString &text, double &out)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    // "inf" and "nan" spell no value a gauge can hold.
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool ParseCliOptions(const QStringList &arguments, TCliOptions &options, QString &error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h") || arg == QStringLiteral("help")) {
            options.help = true;
            return true;
        }
        if (arg == QStringLiteral("--version")) {
            options.version = true;
            return true;
        }
        if (!arg.startsWith(QStringLiteral("--"))) {
            options.verb = arg;
            options.args = arguments.mid(i + 1);
            break;
        }
        QString name, value;
        bool inlineValue = false;
        splitOption(arg, name, value, inlineValue);
        const auto takeValue = [&]() -> bool {
            if (inlineValue)
                return true;
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("Ключ ") + name + QStringLiteral(" требует значения") + SeeHelp;
                return false;
            }
            value = arguments.at(++i);
            return true;
        };
        if (name == QStringLiteral("--sim") || name == QStringLiteral("--modbus") ||
            name == QStringLiteral("--json")) {
            if (inlineValue) {
                error = QStringLiteral("Ключ ") + name + QStringLiteral(" не принимает значения") + SeeHelp;
                return false;
            }
            (name == QStringLiteral("--sim") ? options.sim
             : name == QStringLiteral("--modbus") ? options.modbus
                                                  : options.json) = true;
        } else if (name == QStringLiteral("--port")) {
            if (!takeValue())
                return false;
            options.port = value;
        } else if (name == QStringLiteral("--home")) {
            if (!takeValue())
                return false;
            options.home = value;
        } else if (name == QStringLiteral("--address")) {
            if (!takeValue())
                return false;
            qint64 address = 0;
            if (!ParseInteger(value, 0, 255, address)) {
                error = QStringLiteral("Адрес прибора должен быть числом от 0 до 255: ") + value;
                return false;
            }
            options.address = int(address);
        } else {
            error = QStringLiteral("Неизвестный ключ: ") + arg + SeeHelp;
            return false;
        }
    }
    for (const QString &arg : options.args)
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h"))
            options.help = true;
    if (options.help)
        return true;
    if (options.sim && !options.port.isEmpty()) {
        error = QStringLiteral("Ключи --port и --sim исключают друг друга") + SeeHelp;
        return false;
    }
    if (options.verb.isEmpty()) {
        error = QStringLiteral("Не указано действие") + SeeHelp;
        return false;
    }
    return true;
}

bool TVerbArguments::Parse(const QStringList &args, const QStringList &valued, const QStringList &flags,
                           QString &error)
{
    m_options.clear();
    m_positional.clear();
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        // Only "--" starts an option, so a negative value ("write SmPer
        // -12.5") stays a value.
        if (!arg.startsWith(QStringLiteral("--"))) {
            m_positional.append(arg);
            continue;
        }
        QString name, value;
        bool inlineValue = false;
        splitOption(arg, name, value, inlineValue);
        if (flags.contains(name) && !inlineValue) {
            m_options.insert(name, QString());
        } else if (valued.contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = QStringLiteral("Ключ ") + name + QStringLiteral(" требует значения") + SeeHelp;
                    return false;
                }
                value = args.at(++i);
            }
            m_options.insert(name, value);
        } else {
            error = QStringLiteral("Неизвестный ключ: ") + arg + SeeHelp;
            return false;
        }
    }
    return true;
}

bool TVerbArguments::Int(const QString &name, int lo, int hi, int &out, QString &error) const
{
    if (!Has(name))
        return true;
    qint64 v = 0;
    if (!ParseInteger(Value(name), lo, hi, v)) {
        error = QStringLiteral("Значение ключа ") + name + QStringLiteral(" должно быть числом от ") +
                QString::number(lo) + QStringLiteral(" до ") + QString::number(hi) + QStringLiteral(": ") +
                Value(name);
        return false;
    }
    out = int(v);
    return true;
}
