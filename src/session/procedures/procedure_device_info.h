#pragma once
// "Считать сигнатуру" and "Считать \"Идентификационные параметры\"": the
// gauge's answer to the read is shown in an information box.
//
// The box shows the answer of this read only: a read that failed shows
// nothing, and an answer that comes later (a quiet read of a backup or a
// bundle, a polled one) never opens a box.

#include <QString>

#include <cstdint>

struct TProcedureContext;

// The hint of "Считать сигнатуру", which also names the read that follows
// a new system address.
inline constexpr const char *SignatureReadHint = "Считать сигнатуру прибора";

// Document designations of the gauge's two programs, as printed in the
// identification box.
extern const QString HostProgramDesignation;
extern const QString CosProgramDesignation;

// The text of the box "Сигнатура прибора", lines separated by CR.
QString SignatureText(uint8_t systemAddress, uint8_t unitType, uint16_t plantNumber, uint8_t hardVersion,
                      uint8_t softVersion);
// The text of the box "Идентификационные параметры", lines separated by CR.
QString IdentificationText(uint8_t systemAddress, uint8_t unitType, uint16_t plantNumber, uint8_t hardVersion,
                           uint8_t softVersionHost, uint8_t softVersionCos, uint16_t crcHost, uint16_t crcCos);

// SignatureRead with retries; on success the mode visibility (the software
// version decides the extended actions) and a refresh.
void ReadSignature(const TProcedureContext &context, const QString &hint);
// IdentificationRead with retries; on success a refresh.
void ReadIdentification(const TProcedureContext &context, const QString &hint);
