// SIGTERM, SIGINT and SIGHUP (and SIGUSR1 and SIGUSR2, as SIGTERM) end the program from its event
// loop, whatever it is doing: a frontend stops its screensaver with SIGTERM and expects it gone at
// once.
#pragma once

// Call once, after the application object exists. The handler only writes the signal's
// number to a pipe; the event loop reads it and ends the process by that same signal, so
// nothing is saved and the parent sees how it ended.
void EndOnTerminationSignals();
