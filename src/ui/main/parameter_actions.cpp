#include "ui/main/parameter_actions.h"

#include "ui/main/action_tables.h"
#include "ui/windows/parameter_texts.h"

namespace {

QString actionName(const QString &name, const char *what)
{
    return name.isEmpty() ? QString() : QStringLiteral("act") + name + QLatin1String(what);
}

QString procedureActionName(TProcedureId id)
{
    for (const TProcedureActionName &row : ProcedureActionNames())
        if (row.Id == id)
            return QString::fromLatin1(row.Name);
    return QString();
}

} // namespace

QString ChangeActionName(const TParameter &parameter)
{
    return ParameterTexts(parameter).Change.Input == TParameterInput::None
               ? QString()
               : actionName(QString::fromLatin1(parameter.Name), "Change");
}

QString ReadActionName(const TParameter &parameter)
{
    return actionName(ReadCommandName(parameter), "Read");
}

QString WriteActionName(const TParameter &parameter)
{
    return actionName(WriteCommandName(parameter), "Write");
}

QString ViewWriteActionName(const TParameter &parameter)
{
    const QString own = WriteActionName(parameter);
    if (!own.isEmpty())
        return own;
    const QString name = QString::fromLatin1(parameter.Name);
    if (name == QLatin1String("SystemAddress"))
        return procedureActionName(TProcedureId::SystemAddressWrite);
    if (name == QLatin1String("PlantNumber"))
        return procedureActionName(TProcedureId::PlantNumberWrite);
    return QString();
}
