#pragma once

#include <QString>

// For tests that drive the running program with real input events: while
// MORVANE_SCREEN_MAP names a file, each time "<file>.request" appears the
// program writes there, as JSON, every visible widget with its object name,
// accessible name, text and rectangle on the screen (tree, list and menu
// rows too), then removes the request. Off unless the variable is set.
namespace ScreenMap {

void startFromEnvironment();

// The map as it would be written now.
QByteArray describe(int sequence);

} // namespace ScreenMap
