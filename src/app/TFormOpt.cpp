#include "TFormOpt.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormOpt::TFormOpt(AppState& state)
    : PagedWindow(state, QStringLiteral("FormOpt"), QStringLiteral("Tools"))
{
    resize(520, 360);
    page(QStringLiteral("short"));
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
    for (QLabel* l : {name, new QLabel(QStringLiteral("Version 1.1")),
                      new QLabel(QStringLiteral("For windows98/ME/NT/2000/XP/2003"))}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addStretch();
    auto* back = new QPushButton(QStringLiteral("Back home page"));
    back->setObjectName(QStringLiteral("BitBtnBack"));
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(back, 0, Qt::AlignCenter);
}
