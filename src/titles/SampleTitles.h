#pragma once

#include <QString>

// The sample library a first start creates: the data folder with the groups
// "personal" and "company", their titles, and an empty defaultfile.cnt.
// Existing files are never touched. Returns the message to show when a step
// failed (the steps before it stay done), or an empty text.
QString createSampleLibrary(const QString& dataFolder, const QString& documentsFolder);
