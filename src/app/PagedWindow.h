#pragma once

#include <QWidget>

class QTabWidget;
struct AppState;

// A secondary window: a set of pages with hidden tabs, one page in view at a
// time. Never modal; closing it only hides it, keeping its contents.
class PagedWindow : public QWidget
{
    Q_OBJECT
public:
    PagedWindow(AppState& state, const QString& name, const QString& caption);

    // Shows the window without blocking the main window, sets its caption,
    // brings the named page into view and makes the window the active one
    // (unless it is shown without activating).
    void showPage(const QString& pageName, const QString& caption);
    // The page with that object name, created empty on first use.
    QWidget* page(const QString& pageName);
    QString currentPageName() const;

protected:
    // Called as showPage begins, before the page comes into view.
    virtual void pageComing(const QString& pageName) { Q_UNUSED(pageName); }
    // The window's background colour and, when given, its font's pixel size.
    void setLook(const QColor& background, int fontPixelSize = 0);

    AppState& m_state;
    QTabWidget* m_pages;
};
