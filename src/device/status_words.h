#pragma once
// Exchange status of the gauge model: the codes and texts that the parsers
// put into LastErrorCode / LastErrorText, and the gauge's own status words
// carried by every reading answer.
//
// Negative codes are the program's own judgement of an answer; positive
// codes come from the gauge (the status byte of a reading answer or the code
// of an error answer).

#include <QString>
#include <cstdint>

namespace StatusCode {
constexpr int32_t Normal = 0;
constexpr int32_t NoAnswer = -1;
constexpr int32_t ReadError = -3;      // too short, or an echo with the wrong bytes
constexpr int32_t ChecksumError = -4;
constexpr int32_t CommandMismatch = -5;
constexpr int32_t ErrorAnswer = -6;    // the gauge's error answer 0xFA, codes 1 to 3
} // namespace StatusCode

namespace StatusText {
inline const QString Normal = QStringLiteral("Норма");
inline const QString NoAnswer = QStringLiteral("Нет ответа от устройства");
inline const QString ReadError = QStringLiteral("Ошибка чтения");
inline const QString ChecksumError = QStringLiteral("Ошибка контрольной суммы");
inline const QString CommandMismatch = QStringLiteral("Несоответствие команды");
// Texts of the error answer's codes 1, 2 and 3 (reported with code -6).
inline const QString CommandAbsent = QStringLiteral("Команда отсутствует в приборе");
inline const QString CannotExecute = QStringLiteral("Команда не может быть выполенена");
inline const QString ProgramAnalysis = QStringLiteral("Ошибка при анализе программы");
// What the status log writes for a status word without a meaning.
inline const QString Unknown = QStringLiteral("Не известно");
} // namespace StatusText

// Status words 1 to 9: the gauge cannot measure; the answer's values are
// discarded once the failure threshold is reached.
bool IsCriticalStatus(int status);
// Status words 10 to 12: worth telling the operator, the values still hold.
bool IsNonCriticalStatus(int status);
// The text of status words 1 to 12; "Не известно" for every other number.
QString GaugeStatusText(int status);
// The text of an error answer's code 1 to 3; empty for other codes, which
// the gauge documents no meaning for.
QString ErrorAnswerText(int code);
