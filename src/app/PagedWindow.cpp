#include "PagedWindow.h"

#include "HiddenTabs.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

PagedWindow::PagedWindow(AppState& state, const QString& name, const QString& caption)
    : QWidget(nullptr, Qt::Window), m_state(state), m_pages(new QTabWidget(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->tabBar()->hide();
    keepPagesFromKeys(m_pages);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
}

QWidget* PagedWindow::page(const QString& pageName)
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->widget(i)->objectName() == pageName)
            return m_pages->widget(i);
    auto* p = new QWidget;
    p->setObjectName(pageName);
    m_pages->addTab(p, pageName);
    return p;
}

void PagedWindow::showPage(const QString& pageName, const QString& caption)
{
    pageComing(pageName);
    // The page first: showing the window must not show the previous page.
    m_pages->tabBar()->hide();
    m_pages->setCurrentWidget(page(pageName));
    if (!caption.isNull())
        setWindowTitle(caption);
    show();
    raise();
    // The user works on the page next: it takes the keyboard, even when the
    // window was open already behind another. The help window never does.
    if (!testAttribute(Qt::WA_ShowWithoutActivating))
        activateWindow();
}

void PagedWindow::setLook(const QColor& background, int fontPixelSize)
{
    if (fontPixelSize > 0) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(fontPixelSize);
        setFont(f);
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
    setAutoFillBackground(true);
}

QString PagedWindow::currentPageName() const
{
    return m_pages->currentWidget() ? m_pages->currentWidget()->objectName() : QString();
}
