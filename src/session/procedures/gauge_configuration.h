#pragma once
// The gauge's whole configuration, for a full backup, a comparison with a
// backup and a restore: every parameter the gauge both reads and writes
// (its floats, words and bytes, each bad-zone value on its own), as the
// gauge holds it. A parameter set file keeps it in a section of its own
// beside the sections of the parameter set, which the parameter-set loader
// does not look at.
//
// Values go into the file in the C locale with nine significant digits, so
// a float comes back bit for bit; a value that could not be read is a key
// with an empty value, never an old one.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class TIniFile;
struct TParameter;
struct TProcedureContext;

struct TConfigurationValue {
    const TParameter *Parameter = nullptr;
    std::optional<double> Value; // nothing: not read (or not in the file)
};

struct TConfiguration {
    std::vector<TConfigurationValue> Values; // in the order of ConfigurationParameters()
    // The gauge answered the signature read that starts a read; false also
    // for a configuration from a file.
    bool GaugeAnswered = false;
    int Missing() const;
};

// The parameters of the configuration, in the order of the parameter table
// (Hmax before Lmax, as the gauge's rules compare them).
const std::vector<const TParameter *> &ConfigurationParameters();

// The name of the section: the model's component name + "Backup".
QString ConfigurationSection(const QString &modelName);

// Reads the configuration from the gauge: the signature first (a gauge
// that does not answer it is not asked for the rest), then each parameter
// with the retries of every command but without a message of its own, the
// progress window showing "Чтение параметров прибора". A value is the one
// the answer carried, not what the model's rules made of it; a parameter
// of the extended set on a gauge without it is missing. The model keeps
// the values it had.
TConfiguration ReadConfiguration(const TProcedureContext &context);

void WriteConfiguration(TIniFile &ini, const QString &section, const TConfiguration &configuration);
// The configuration of a file. False, with `error` naming the file, the
// section or the key, for a file that cannot be read, one without the
// section, a key that is missing, a value that is no number or one outside
// the range the gauge can hold.
bool ReadConfigurationFile(const QString &path, const QString &section, TConfiguration &configuration,
                           QString &error);

// One row of a comparison.
struct TConfigurationDifference {
    const TParameter *Parameter = nullptr;
    std::optional<double> InFile;
    std::optional<double> InGauge;
    // Both known and unequal (floats compared as the gauge holds them), or
    // known in the gauge only. A value the gauge did not give is no
    // difference: it is unread.
    bool Differs = false;
    bool Unread = false;
};

struct TConfigurationComparison {
    std::vector<TConfigurationDifference> Rows; // every parameter, in order
    int Differing() const;
    // The names of the parameters the gauge did not give, in order.
    QStringList UnreadNames() const;
};

TConfigurationComparison CompareConfigurations(const TConfiguration &file, const TConfiguration &gauge);

// A value as the windows and the command-line tool print it: a whole
// number, or a float with up to nine significant digits; "—" when missing.
QString ConfigurationValueText(const TParameter &parameter, const std::optional<double> &value);

// Writes the file's value of every differing or unread row that has one,
// in order:
// through the model's rules, with the retries of every write and without
// the store, then read back and compared; `written` hears of each row the
// gauge confirmed, as it is confirmed. A row that fails gets a message that
// names it, and the others are still tried. Only when every row was written
// and confirmed is it stored into ПЗУ; otherwise one more message names the
// rows that failed, says that nothing was stored and how to repeat. True
// when every such row was written and stored.
bool RestoreConfiguration(const TProcedureContext &context, const TConfigurationComparison &comparison,
                          const std::function<void(const TConfigurationDifference &)> &written = {});
