#include "device/status_words.h"

#include <array>

namespace {

// Index = status word; the gauge's own wording, kept letter for letter so the
// status log matches the one written at the factory.
const std::array<QString, 13> &statusTexts()
{
    static const std::array<QString, 13> texts = {
        QString(),
        QStringLiteral("Датчик температуры неисправен"),
        QStringLiteral("Нарушен рабочий температурный диапазон"),
        QStringLiteral("Ошибка сигнала DDS_STP"),
        QStringLiteral("Ошибка в тесте диапазона качания"),
        QStringLiteral("Нет связи с сигнальным процессором"),
        QStringLiteral("Неустойчивый обмен с сигнальным процессором"),
        QStringLiteral("Ошибка протокола обмена с сигнальным процессором"),
        QStringLiteral("Минимальное усиление"),
        QStringLiteral("Максимальное усиление"),
        QStringLiteral("Не выполнено обучение для режимов \"Следящее окно\" и \"Предсказание\" (не критична)"),
        QStringLiteral("Начало работы в \"плохой зоне\" (не критична)"),
        QStringLiteral("Нет оценки фазы матерала (не критична)"),
    };
    return texts;
}

} // namespace

bool IsCriticalStatus(int status)
{
    return status >= 1 && status <= 9;
}

bool IsNonCriticalStatus(int status)
{
    return status >= 10 && status <= 12;
}

QString GaugeStatusText(int status)
{
    if (status >= 1 && status <= 12)
        return statusTexts()[status];
    return StatusText::Unknown;
}

QString ErrorAnswerText(int code)
{
    switch (code) {
    case 1: return StatusText::CommandAbsent;
    case 2: return StatusText::CannotExecute;
    case 3: return StatusText::ProgramAnalysis;
    default: return QString();
    }
}
