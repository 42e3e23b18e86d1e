#pragma once
// "Записать в ПЗУ": the gauge copies its working parameters into its
// non-volatile memory, so that they survive a power cycle. Every write of a
// parameter is followed by it (once at the end when all parameters are
// written together).

class TCommandSender;

// WriteToPZU with retries; a failure is reported as "Не выполнена
// команда" with the hint "Записать параметры в ПЗУ". Then, success or not,
// the gauge gets 1000 ms to finish writing its memory before anything else
// is sent.
bool StoreToRom(TCommandSender &sender);
