#pragma once

#include <QString>

// The start-up help switch: the marker file tip.cnt in the data folder turns
// the help that opens after start-up off; its content is never read.
namespace StartupTip {

QString fileName(const QString& dataFolder);

// Whether the help still opens by itself after start-up.
bool enabled(const QString& dataFolder);

// Switches the start-up help off: writes "No" and a line break into tip.cnt
// unless the file is already there, which is left untouched. False (with the
// system's message in *error) when the file could not be written.
bool switchOff(const QString& dataFolder, QString* error);

} // namespace StartupTip
