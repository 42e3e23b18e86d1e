#pragma once
// The core reports to the operator through plain callbacks; these put the
// gauge model's messages (refused block index, unknown device type) and the
// port's error messages through the operator in use. A message raised in
// another thread (the request thread's polling pass) is shown later in the
// user-interface thread; the thread that raised it never waits for the box.

class Ttolm472;
class TTransmitter;

// The model's messages as warnings captioned "Внимание".
void RouteModelMessages(Ttolm472 &model);
// The port's messages, with their own caption, under the error icon.
void RouteTransmitterMessages(TTransmitter &transmitter);
