#include "cli/cli_run.h"

#include "device/parameter_table.h"

#include <QString>
#include <QStringList>

namespace {

constexpr int HelpWidth = 100;

// What read and write can do with a parameter, when not both.
QString usage(const TParameter &p)
{
    if (!CanRead(p))
        return CanWrite(p) ? QStringLiteral("(только запись)") : QStringLiteral("(только в программе)");
    return CanWrite(p) ? QString() : QStringLiteral("(запись только в программе)");
}

// The names read and write know, in the order of the parameter table, a
// numbered series such as BadZoneNear1..BadZoneNear5 as one word
// "BadZoneNear1..5"; lines of at most HelpWidth characters, each indented
// by two blanks.
QString parameterNames()
{
    const auto known = [](const QString &name) {
        const TParameter *p = FindParameter(name);
        return p && (CanRead(*p) || CanWrite(*p) || CanSet(*p));
    };
    QStringList words;
    for (const TParameter &p : ParameterTable()) {
        QString name = QString::fromLatin1(p.Name);
        if (!known(name))
            continue;
        qsizetype digits = 0;
        while (digits < name.size() && name.at(name.size() - 1 - digits).isDigit())
            ++digits;
        const QString stem = name.chopped(digits);
        if (digits > 0 && name.mid(stem.size()) != QLatin1String("1") && known(stem + QLatin1Char('1')))
            continue; // within the series of its first
        if (digits > 0 && name.mid(stem.size()) == QLatin1String("1")) {
            int last = 1;
            while (known(stem + QString::number(last + 1)))
                ++last;
            if (last > 1)
                name += QStringLiteral("..") + QString::number(last);
        }
        words.append(name + usage(p));
    }
    QString text, line;
    for (const QString &word : std::as_const(words)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > HelpWidth) {
            text += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QStringLiteral("  ") : QStringLiteral(" ")) + word;
    }
    return text + line + QLatin1Char('\n');
}

} // namespace

QString CliHelpText()
{
    return QStringLiteral(
        "tolm-cli — обслуживание уровнемеров ТОЛМ47xИ из командной строки\n"
        "\n"
        "tolm-cli [--port ИМЯ | --sim] [--modbus] [--address N] [--home ПАПКА] [--json] ДЕЙСТВИЕ ...\n"
        "\n"
        "Общие ключи (до действия):\n"
        "  --port ИМЯ      последовательный порт (по умолчанию [Transmitter] Port из INI/ComPort.ini)\n"
        "  --sim           встроенный имитатор прибора (адрес 255) и измерителя тока вместо порта\n"
        "  --modbus        кадры прибора одним куском, без девятибитного адреса\n"
        "  --address N     системный адрес прибора, 0..255 (по умолчанию 255)\n"
        "  --home ПАПКА    папка программы с INI и DATA (по умолчанию папка tolm-cli);\n"
        "                  там же пишется журнал обмена rdГГММДД.txt\n"
        "  --json          результаты по одному объекту JSON в строке\n"
        "  --help          эта справка\n"
        "  --version       версия программы и папка, где она хранит файлы\n"
        "\n"
        "Действия:\n"
        "  send КОД|ИМЯ ...            по одному обмену на команду (например 6 или LevelAllRead):\n"
        "                              кадры запроса и ответа, состояние, LinkState, принятые значения\n"
        "  read ИМЯ ...                считать параметры (Hmax, Lmax, KKalman, KrPer, SmPer, ...)\n"
        "                              до 5 попыток каждый\n"
        "  write ИМЯ ЗНАЧЕНИЕ ... [--no-store]\n"
        "                              записать параметры (до 5 попыток), затем \"Записать в ПЗУ\";\n"
        "                              --no-store: без записи в ПЗУ\n"
        "  poll [--period МС] [--count N] [--codes 6,63] [--lumidor] [--addresses 1,2,5 | --all]\n"
        "                              опрос через поток опроса, как в программе, с архивированием;\n"
        "                              печатает каждое принятое показание. --period: период, мс\n"
        "                              (по умолчанию 1000), --count: число проходов (0 — до Ctrl+C),\n"
        "                              --codes: команды прохода (по умолчанию 6, LevelAllRead),\n"
        "                              --lumidor: опрашивать и ЛЮМИДОР-906 (токовый выход);\n"
        "                              --addresses: несколько приборов линии (--all: все из\n"
        "                              INI/Gauges.ini), каждый в архив DATA/Gauges/PNnnnnn,\n"
        "                              строка начинается с адреса прибора\n"
        "  spectrum                    считать спектр (16 блоков) в файлы Spectrum_*.txt папки дня\n"
        "  signal                      считать сигнал (32 блока) в файлы Signal_*.txt папки дня;\n"
        "                              перед чтением массива — сигнатура, Hmax, Hу max, сглаживание,\n"
        "                              крутизна, смещение и расстояние для заголовков файлов\n"
        "  backup ФАЙЛ                 считать все параметры прибора и сохранить их в файл набора\n"
        "                              параметров (программа загружает его как свой); если не считан\n"
        "                              хотя бы один параметр — код 1, файл не записывается\n"
        "  diff ФАЙЛ                   сравнить прибор с файлом: строка ИМЯ В_ФАЙЛЕ В_ПРИБОРЕ на каждый\n"
        "                              отличающийся параметр; код 0 — нет отличий, 1 — есть,\n"
        "                              2 — файл не читается, прибор не отвечает или не все\n"
        "                              параметры считаны (несчитанные названы, отличием не считаются)\n"
        "  restore ФАЙЛ [--dry-run]    записать в прибор отличающиеся параметры, затем \"Записать в ПЗУ\";\n"
        "                              --dry-run: только показать, что будет записано; печатается\n"
        "                              каждый параметр, запись которого прибор подтвердил; если\n"
        "                              хоть одна запись не удалась — в ПЗУ не записывается ничего\n"
        "  bundle ФАЙЛ.zip             пакет для сервиса: параметры прибора, журнал обмена, BlackBox.txt,\n"
        "                              архив за сутки, последние спектр и сигнал, INI-файлы и README.txt\n"
        "  scan [--from N] [--to M]    поиск приборов на линии (адреса 1..255): строка на прибор\n"
        "                              \"адрес заводской_номер тип аппаратная программная\" или\n"
        "                              \"адрес conflict\", если по адресу отвечают два прибора;\n"
        "                              --json: один массив; код 0 — хоть один прибор ответил\n"
        "  archive ИМЯ [--day ГГГГ-ММ-ДД] [--from ЧЧ:ММ:СС] [--to ЧЧ:ММ:СС] [--filter УСЛОВИЕ] [--csv]\n"
        "                              значения архива за день (Freq, Distance, LevelBusy, LevelFree,\n"
        "                              Reserve, Usil, TmpOfSensor, CurrentOutput), текстом или CSV;\n"
        "                              --gauge PNnnnnn: архив одного из приборов, опрошенных вместе\n"
        "  register list [--plant N] [--kind ВИД] [--from ГГГГ-ММ-ДД] [--to ГГГГ-ММ-ДД] [--json]\n"
        "                              журнал приборов, новые записи первыми; ВИД: testrun, calibration,\n"
        "                              configuration, bundle. С сервером из INI/Register.ini — записи\n"
        "                              всех стендов\n"
        "  register show N [--pdf ФАЙЛ]  запись N журнала; --pdf: её документ (протокол) в файл\n"
        "  register diff --plant N     сравнить прибор с последними сохранёнными параметрами этого\n"
        "                              заводского номера; коды как у diff\n"
        "  register sync               отправить ждущие записи на сервер; код 1, если что-то осталось\n"
        "\n"
        "Параметры read/write:\n"
        "%1"
        "\n"
        "Код завершения: 0 — выполнено всё, что задано; 1 — команда не выполнена или выполнена\n"
        "не вся (не считан параметр в backup, не удалась запись в restore, проход опроса без\n"
        "показания или значение, не записанное в архив, в poll; файл не записан — старый файл\n"
        "остаётся прежним); 2 — ошибка в командной строке (неизвестный параметр или имя архива,\n"
        "значение не число или бесконечность, \"Неверный диапазон\" --from/--to, неверное условие\n"
        "--filter) и ответ diff \"неизвестно\"; причина — одной строкой в стандартном потоке ошибок.\n"
        "\n"
        "Примеры:\n"
        "  tolm-cli --sim poll --period 500 --count 20\n"
        "  tolm-cli --port /dev/ttyUSB0 read Hmax Lmax\n"
        "  tolm-cli --sim write KKalman 0.5\n"
        "  tolm-cli archive LevelBusy --day 2026-12-08 --csv")
        .arg(parameterNames());
}
