#pragma once

// Ends the event loop in an orderly way when the process is asked to stop (SIGTERM, SIGINT,
// SIGHUP, as a session logout does), so that every recordset is closed and nothing is left
// half-written. The signal handler only writes a byte; the loop does the rest.
void QuitEventLoopOnSignals();
