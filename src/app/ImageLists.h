#pragma once

#include <QIcon>
#include <QImage>

// The program's two image lists, drawn in code: the toolbar list (the menu
// items share its indexes) and the title tree's list. Every image is 16 x 16,
// ARGB32 with transparency; both lists are drawn once and then shared, so
// asking again is cheap. An index outside a list gives a null image or icon.
namespace ImageLists {

// Indexes of the toolbar list that are shown; the others exist but are never used.
namespace Toolbar {
constexpr int StartOpen = 30; // no default title set (start page)
constexpr int StopStart = 32; // a default title set (start page)
constexpr int NewTitleGroup = 33;
constexpr int NewTitle = 34;
constexpr int Help = 36;
constexpr int PieChart = 37;
constexpr int HorizontalBarChart = 38;
constexpr int BarChart = 39;
constexpr int WordReport = 40;
constexpr int TextReport = 41;
constexpr int Replace = 42;
constexpr int Save = 43;
constexpr int DefaultMarked = 45;   // the open title is the default title
constexpr int DefaultUnmarked = 46; // the open title is not the default title
} // namespace Toolbar

// Indexes of the tree list.
namespace Tree {
constexpr int InitialGroup = 0;
constexpr int InitialTitle = 1;
constexpr int Generic = 2;
constexpr int SelectedTitle = 3;
constexpr int Title = 4;
constexpr int Group = 5;
} // namespace Tree

QImage toolbarImage(int index);
QImage treeImage(int index);
int toolbarImageCount();
int treeImageCount();

// Needs a QGuiApplication; built from the shared image on every call, since
// pixmaps must not outlive the application.
QIcon toolbarIcon(int index);
// A tree node's icon: one image normally, another while the node is selected.
QIcon treeIcon(int normal, int selected);

} // namespace ImageLists
