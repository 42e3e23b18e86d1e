#pragma once
// The main window's actions of a gauge parameter: "act" + name + "Change",
// and "act" + the name of its read or write command + "Read" / "Write";
// empty when it has none.

#include "device/parameter_table.h"

#include <QString>

QString ChangeActionName(const TParameter &parameter);
QString ReadActionName(const TParameter &parameter);
QString WriteActionName(const TParameter &parameter);
// The action of the parameters window's write button: the parameter's own
// write action, else the composite command that writes it (the address and
// the plant number); empty when there is none.
QString ViewWriteActionName(const TParameter &parameter);
