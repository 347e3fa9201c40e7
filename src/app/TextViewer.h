#pragma once

#include <QDialog>

class QPlainTextEdit;

// A read-only window that shows a text file, for machines where no external
// program can be started to show it. It never blocks the main window; its
// Close button and Escape hide it.
class TextViewer : public QDialog
{
    Q_OBJECT
public:
    explicit TextViewer(QWidget* parent = nullptr);

    // Loads the file (a missing one shows a line that says so) and shows the window.
    void showFile(const QString& path);
    QString text() const;

private:
    QPlainTextEdit* m_text;
    bool m_placed = false;
};
