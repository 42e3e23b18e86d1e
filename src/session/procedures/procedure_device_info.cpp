#include "session/procedures/procedure_device_info.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "session/operator.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"

#include <QStringList>

const QString HostProgramDesignation = QStringLiteral("ТЛМИ.00471-01 12 01");
const QString CosProgramDesignation = QStringLiteral("ТЛМИ.00471-02 12 01");

namespace {

const QString LineBreak = QStringLiteral("\r");

QString number(unsigned value)
{
    return QString::number(value);
}

} // namespace

QString SignatureText(uint8_t systemAddress, uint8_t unitType, uint16_t plantNumber, uint8_t hardVersion,
                      uint8_t softVersion)
{
    return QStringList{
        QStringLiteral("Системный адрес: ") + number(systemAddress),
        QStringLiteral("Заводской номер: ") + number(plantNumber),
        QStringLiteral("Аппаратная версия: ") + number(hardVersion),
        QStringLiteral("Программная версия: ") + number(softVersion),
        QStringLiteral("Тип прибора: ") + number(unitType) + QStringLiteral(" (") + QStringLiteral("11")
            + QStringLiteral(" для ") + QStringLiteral("ТОЛМ471И, ТОЛМ472И") + QStringLiteral(")"),
    }
        .join(LineBreak);
}

QString IdentificationText(uint8_t systemAddress, uint8_t unitType, uint16_t plantNumber, uint8_t hardVersion,
                           uint8_t softVersionHost, uint8_t softVersionCos, uint16_t crcHost, uint16_t crcCos)
{
    return QStringList{
        QStringLiteral("Системный адрес: ") + number(systemAddress),
        QStringLiteral("Тип прибора: ") + number(unitType) + QStringLiteral(" (11 для ТОЛМ471И)"),
        QStringLiteral("Заводской номер: ") + number(plantNumber),
        QString(),
        QStringLiteral("Номер версии аппаратной части: ") + number(hardVersion),
        QString(),
        QStringLiteral("Номер версии программы ТОЛМ471 ХОСТ: ") + number(softVersionHost),
        QStringLiteral("Номер версии программы ТОЛМ471 ЦОС: ") + number(softVersionCos),
        QString(),
        QStringLiteral("Контрольная сумма программы ТОЛМ471 ХОСТ: ") + number(crcHost),
        QStringLiteral("Контрольная сумма программы ТОЛМ471 ЦОС: ") + number(crcCos),
        QString(),
        QStringLiteral("Обозначение программы ТОЛМ471 ХОСТ: ") + HostProgramDesignation,
        QStringLiteral("Обозначение программы ТОЛМ471 ЦОС: ") + CosProgramDesignation,
    }
        .join(LineBreak);
}

void ReadSignature(const TProcedureContext &context, const QString &hint)
{
    TGaugeAnswer answer;
    if (!SendCommandReported(context, SignatureRead, hint, &answer))
        return;
    if (const std::optional<TSignatureAnswer> &s = answer.Signature)
        context.Op().Information(QStringLiteral("Сигнатура прибора"),
                                 SignatureText(s->Address, s->UnitType, s->PlantNumber, s->HardVersion, s->SoftVersion));
    context.Views.ApplyModeVisibility();
    context.Views.UpdateAllViews();
}

void ReadIdentification(const TProcedureContext &context, const QString &hint)
{
    TGaugeAnswer answer;
    if (!SendCommandReported(context, IdentificationRead, hint, &answer))
        return;
    if (const std::optional<TIdentificationAnswer> &id = answer.Identification)
        context.Op().Information(QStringLiteral("Идентификационные параметры"),
                                 IdentificationText(id->Address, id->UnitType, id->PlantNumber, id->HardVersion,
                                                    id->SoftVersionHost, id->SoftVersionCOS, id->CRC16Host,
                                                    id->CRC16COS));
    context.Views.UpdateAllViews();
}
