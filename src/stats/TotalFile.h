#pragma once

#include <QString>
#include <QStringList>

// The text report file, "Total.tol" directly in the data folder.
QString totalFilePath(const QString& dataFolder);

// Replaces Total.tol with the report lines, CR LF after each. On failure
// returns false with the system's message in *error; the old file stays as it was.
bool writeTotalFile(const QString& dataFolder, const QStringList& reportLines,
                    QString* error = nullptr);
