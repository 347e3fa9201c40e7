#pragma once

#include <QString>
#include <QStringList>

// Reads a Word report back with python-docx (support/check_docx.py): its
// package, paragraphs, sizes, bold and pictures. Returns the differences
// found, empty when the document holds what is expected. pictureFiles are the
// chart files whose bytes the pictures must be; without them only their number
// (pictureCount) is checked.
QString docxProblems(const QString& docx, const QString& heading, const QString& byLine,
                     const QStringList& body, const QStringList& pictureFiles,
                     int pictureCount = 3);
