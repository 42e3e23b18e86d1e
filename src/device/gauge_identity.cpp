#include "device/gauge_identity.h"

QString ModelOfProgramType(int programType)
{
    if (programType == 11)
        return QStringLiteral("ТОЛМ471И");
    if (programType == 12)
        return QStringLiteral("ТОЛМ472И");
    return QString();
}

QString TGaugeIdentity::ModelName() const
{
    return Answered ? ModelOfProgramType(ProgramType) : QString();
}
