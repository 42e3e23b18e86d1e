#include "device/gauge_identity.h"

QString TGaugeIdentity::ModelName() const
{
    if (!Answered)
        return QString();
    if (ProgramType == 11)
        return QStringLiteral("ТОЛМ471И");
    if (ProgramType == 12)
        return QStringLiteral("ТОЛМ472И");
    return QString();
}
