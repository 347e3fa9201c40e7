#pragma once

class QTabWidget;

// A page set whose tabs are never shown keeps its page when Ctrl+Tab or
// Ctrl+Shift+Tab reaches it (which would otherwise turn to the next page,
// never meant to be seen). The keys move the focus on instead, which is also
// how the keyboard leaves a text box that takes Tab for itself. The set
// itself takes no focus: its only focusable part is the hidden tab bar.
void keepPagesFromKeys(QTabWidget* pages);
