#pragma once
// The core reports to the operator through plain callbacks; these put the
// gauge model's messages (refused block index, unknown device type) and the
// port's error messages through the operator in use. A model's message is
// shown later, from the user-interface thread's event loop, so the model
// that raised it never waits for the box; a port's message raised in another
// thread likewise, and at once in the user-interface thread.

class Ttolm472;
class TTransmitter;

// The model's messages as warnings captioned "Внимание".
void RouteModelMessages(Ttolm472 &model);
// The port's messages, with their own caption, under the error icon.
void RouteTransmitterMessages(TTransmitter &transmitter);
