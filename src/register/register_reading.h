#pragma once
// Where the register is read: with a server in INI/Register.ini, the
// server, after this bench's outbox has been sent to it, so every bench
// sees every bench's records and its own among them; when no server is set
// or it does not answer, the bench's own file.

#include "register/register_place.h"

#include <QString>

class TRegisterStore;

// `note`: why the bench's own file is read although a server is set; empty
// otherwise. False, with `error`, when neither could be opened.
bool OpenRegisterForReading(const TRegisterPlace &place, TRegisterStore &store, QString &note, QString &error);
