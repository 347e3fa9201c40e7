#include "HelpPictures.h"

namespace HelpPictures {

QStringList quickStartNotes()
{
    return {
        QStringLiteral("Click a title in the tree."),
        QStringLiteral("Type each item on its own line, under the date line of the day."),
        QStringLiteral("Click an item in the click list to replace the cursor row, or use its "
                       "hotkey: Ctrl+W for Work."),
        QStringLiteral("Save the title."),
        QStringLiteral("Look at a report. No need to save first: a report saves the title."),
    };
}

QStringList bestWayNotes()
{
    return {QStringLiteral("Click a title in the tree."),
            QStringLiteral("Open when this software starts"), QStringLiteral("Pressed: on"),
            QStringLiteral("Click [Default] again to cancel")};
}

QStringList exampleRows()
{
    return {QStringLiteral("Set aside all worries,77"), QStringLiteral("Thinking,56"),
            QStringLiteral("Overall plan,14"), QStringLiteral("Work,28"),
            QStringLiteral("Study,21")};
}

namespace {
QString numbered(const QString& head, const QStringList& notes)
{
    QStringList lines{head};
    for (qsizetype i = 0; i < notes.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(notes[i]);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

QString quickStartDescription()
{
    return numbered(QStringLiteral("The main window, with numbered notes:"), quickStartNotes());
}

QString bestWayDescription()
{
    const QStringList notes = bestWayNotes();
    return numbered(QStringLiteral("The title tree and the Default button:"),
                    {notes[0], QStringLiteral("The Default button, whose hint is \"%1\". %2; %3.")
                                   .arg(notes[1], notes[2], notes[3])});
}

QString exampleTextDescription()
{
    return QStringLiteral("A text box with one item and its count a line:\n") +
           exampleRows().join(QLatin1Char('\n'));
}

QString exampleTableDescription()
{
    QStringList lines{QStringLiteral("A table of two columns, the items and their counts:")};
    for (const QString& row : exampleRows())
        lines << row.section(QLatin1Char(','), 0, 0) + QLatin1Char('\t') +
                     row.section(QLatin1Char(','), 1);
    return lines.join(QLatin1Char('\n'));
}

} // namespace HelpPictures
