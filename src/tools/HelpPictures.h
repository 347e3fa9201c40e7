#pragma once

#include <QStringList>

// What the help and example pictures say, kept in one place for the picture
// maker that draws them and for the windows, which give it to a screen
// reader as each picture's description.
namespace HelpPictures {

// The numbered notes beside the quick-start picture, note 1 first.
QStringList quickStartNotes();
// The notes of the "Best way" picture: the title tree, the Default button's
// hint and the button pressed.
QStringList bestWayNotes();
// The example table of the pasted-input page, one "item,count" row a line.
QStringList exampleRows();

// Descriptions, one line a note or row.
QString quickStartDescription();
QString bestWayDescription();
QString exampleTextDescription();  // the rows as typed, with commas
QString exampleTableDescription(); // the same rows as a two-column table

} // namespace HelpPictures
