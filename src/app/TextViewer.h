#pragma once

#include <QWidget>

class QPlainTextEdit;

// A read-only window that shows a text file, for machines where no external
// program can be started to show it.
class TextViewer : public QWidget
{
    Q_OBJECT
public:
    explicit TextViewer(QWidget* parent = nullptr);

    // Loads the file (a missing one shows a line that says so) and shows the window.
    void showFile(const QString& path);
    QString text() const;

private:
    QPlainTextEdit* m_text;
};
