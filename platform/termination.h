#pragma once

class QWidget;

namespace platform {

// SIGTERM, SIGINT and SIGHUP close the window the normal way (its unload
// handler runs and the settings are written) instead of ending the program
// on the spot, as a session that ends or a `kill` would.
void closeOnTerminationSignals(QWidget *window);

// How many of those signals have arrived so far. A wait compares it with the
// count at its start and gives up when another one came.
int terminationSignals();

} // namespace platform
