#pragma once
// One exchange of a command as the model asks it now, judged as the
// communication window judges it: 0 when an answer came that is not the
// gauge's error answer, -1 otherwise. Header only: for test programs that
// link the line layer.

#include "device/tolm472.h"
#include "link/request_cycle.h"

inline int ExchangeCode(TRequestCycle &cycle, const Ttolm472 &model, int code)
{
    const TGaugeAnswer a = cycle.Exchange(model.MakeRequest(code));
    const bool errorAnswer = a.Answer.size() == 6 && uint8_t(a.Answer.at(1)) == 0xFA;
    return a.Sent && !a.Answer.isEmpty() && !errorAnswer ? 0 : -1;
}
