#include "protocol/command_codes.h"

#include "protocol/command_table.h"

QString CommandName(int code)
{
    const TCommandRow *row = CommandRow(code);
    return row ? QString::fromLatin1(row->name.data(), qsizetype(row->name.size())) : QString();
}

int CommandByName(const QString &name)
{
    if (name.isEmpty())
        return -1;
    for (int code = 0; code < CommandCount; ++code) {
        if (CommandName(code) == name)
            return code;
    }
    return -1;
}
