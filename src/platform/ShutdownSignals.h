#pragma once

#include <functional>

// Turns SIGTERM, SIGHUP and SIGINT (logout, shutdown, kill, Ctrl+C) into a
// call on the event loop, so the program can save and sweep before it ends.
// Call after the application object exists; a later call replaces the
// handler and waits for the next signal.
void installShutdownSignals(std::function<void()> onSignal);
