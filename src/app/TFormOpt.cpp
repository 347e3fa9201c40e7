#include "TFormOpt.h"

#include "Version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

TFormOpt::TFormOpt(AppState& state)
    : PagedWindow(state, QStringLiteral("FormOpt"), QStringLiteral("Tools"))
{
    // The tools window: close box only, centred, its own colour, and
    // "Back home page" at the top right above every page.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(689, 400);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setLook(QColor(210, 247, 244));
    m_pages->setDocumentMode(true); // no pane of its own over the colour
    auto* back = new QPushButton(QStringLiteral("Back home page"), this);
    back->setObjectName(QStringLiteral("BitBtn1"));
    back->setGeometry(width() - 131, 6, 121, 25);
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
    buildShortPage();
    buildUninstallPage();
    buildAboutPage();
}

void TFormOpt::buildAboutPage()
{
    QWidget* about = page(QStringLiteral("about"));
    auto* layout = new QVBoxLayout(about);
    auto* name = new QLabel(QStringLiteral("Morvane"));
    QFont big = name->font();
    big.setPixelSize(28);
    big.setBold(true);
    name->setFont(big);
    layout->addStretch();
    for (QLabel* l : {name, new QLabel(QStringLiteral("Version " MORVANE_VERSION)),
                      new QLabel(QStringLiteral("For windows98/ME/NT/2000/XP/2003"))}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addStretch();
}
