#pragma once
// The bench's outbox sent to the factory's server: the records that wait,
// oldest first, each delivered and then taken out of the outbox. A failure
// stops the run, so the server receives a bench's records in the order the
// bench made them. A record delivered whose outbox row survived (the
// program killed in between) is delivered again and the server keeps it
// once: its key is already there.

#include "register/register_place.h"

#include <QString>

struct TSyncResult {
    bool ServerConfigured = false;
    int Sent = 0;
    int Waiting = 0; // still in the outbox afterwards
    QString Error;   // why it stopped; empty when nothing is left
};

// Seconds to wait for the server to answer a connection.
constexpr int RegisterConnectSeconds = 5;

// Opens both ends in the calling thread and sends; without a server only
// counts what waits.
TSyncResult SendOutbox(const TRegisterPlace &place, int connectSeconds = RegisterConnectSeconds);
