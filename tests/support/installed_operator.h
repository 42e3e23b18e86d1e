#pragma once
// The scripted operator installed as the program's operator while it
// exists, for tests of the windows and of the main window.

#include "support/scripted_operator.h"
#include "ui/dialogs/operator.h"

class TInstalledOperator final : public TScriptedOperator
{
public:
    TInstalledOperator() { SetOperator(this); }
    ~TInstalledOperator() override { SetOperator(nullptr); }
};
