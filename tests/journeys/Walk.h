#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// A seeded random walk over what a user does with the program, checked after
// every step against what the user has typed: every typed line is, at every
// moment, a whole line in the open editor, in a title file (a "Keep both"
// file is one), in a recovery copy or in a copy kept aside, unless the user
// threw it away (cut, Reload, delete); and the program neither ends nor stops
// answering.
struct WalkResult
{
    int actions = 0;
    int linesTyped = 0;
    QString fault; // empty when the walk held
    QStringList steps; // what was done, one line an action
};

// Runs one walk of at most actions steps (fewer when deadlineMs passes),
// from a fresh home; stopAt > 0 stops after that many steps (a prefix).
WalkResult runWalk(quint32 seed, int actions, qint64 deadlineMs = -1, int stopAt = 0);
