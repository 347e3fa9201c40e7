// The tools window's documents and uninstall page.
#include "TFormOpt.h"

#include "AppState.h"
#include "Dialogs.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

namespace {
// A folder path shown as a link: blue, underlined, hand cursor. Tab reaches
// it and Enter or Space opens it, as a click does.
class LinkLabel : public QLabel
{
public:
    explicit LinkLabel(std::function<void()> clicked) : m_clicked(std::move(clicked))
    {
        setFocusPolicy(Qt::TabFocus);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        setPalette(p);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_clicked();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
            m_clicked();
        else
            QLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    std::function<void()> m_clicked;
};

template <typename Widget>
Widget* coloured(const QString& name, const QString& text, QPalette::ColorRole role,
                 const QColor& color)
{
    auto* w = new Widget(text);
    w->setObjectName(name);
    QPalette p = w->palette();
    p.setColor(role, color);
    w->setPalette(p);
    w->setAutoFillBackground(role == QPalette::Window);
    return w;
}

QLabel* coloured(const QString& name, const QString& text, const QColor& color)
{
    return coloured<QLabel>(name, text, QPalette::WindowText, color);
}

QGroupBox* groupBox(const QString& name, const QString& title, const QColor& background)
{
    return coloured<QGroupBox>(name, title, QPalette::Window, background);
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}
} // namespace

void TFormOpt::buildUninstallPage()
{
    QWidget* page = this->page(QStringLiteral("Uninstall"));
    // However the page is reached, its links are filled when it comes into view.
    connect(m_pages, &QTabWidget::currentChanged, this, [this, page] {
        if (m_pages->currentWidget() == page)
            TabSheet7Show();
    });
    auto* layout = new QVBoxLayout(page);
    const QColor green(0, 128, 0);

    QLabel* name = coloured(QStringLiteral("Label6"), QStringLiteral("Devad Adizirad "), green);
    QFont f = name->font();
    f.setPixelSize(19);
    f.setBold(true);
    f.setItalic(true);
    name->setFont(f);
    auto* top = new QHBoxLayout;
    top->addWidget(name, 1);
    top->addSpacing(131); // room for the window's "Back home page"
    layout->addLayout(top);

    QGroupBox* documents =
        groupBox(QStringLiteral("GroupBox3"), QStringLiteral("Documents"), QColor(255, 255, 208));
    auto* docLayout = new QVBoxLayout(documents);
    docLayout->addWidget(coloured(
        QStringLiteral("Label7"),
        QStringLiteral("The Documents' that this software created is in file folder"), Qt::black));
    auto* label8 = new LinkLabel([this] { Label8Click(); });
    label8->setObjectName(QStringLiteral("Label8"));
    docLayout->addWidget(label8);
    docLayout->addWidget(coloured(
        QStringLiteral("Label12"),
        QStringLiteral("You may delete it directly when this software be closed."), green));
    auto* deleteNow = new QPushButton(QStringLiteral("or Delete it now"));
    deleteNow->setObjectName(QStringLiteral("BitBtn3"));
    connect(deleteNow, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    docLayout->addWidget(deleteNow, 0, Qt::AlignLeft);
    layout->addWidget(documents);

    QGroupBox* software =
        groupBox(QStringLiteral("GroupBox4"), QStringLiteral("Software"), QColor(159, 238, 153));
    auto* softLayout = new QVBoxLayout(software);
    softLayout->addWidget(coloured(QStringLiteral("Label9"),
                                   QStringLiteral("This software(Sallowby) is in file folder"),
                                   Qt::black));
    auto* label10 = new LinkLabel([this] { Label10Click(); });
    label10->setObjectName(QStringLiteral("Label10"));
    softLayout->addWidget(label10);
    softLayout->addWidget(
        coloured(QStringLiteral("Label11"),
                 QStringLiteral("You may delete it directly when it has been closed."), green));
    layout->addWidget(software);
    layout->addStretch();
}

void TFormOpt::TabSheet7Show()
{
    findChild<QLabel*>(QStringLiteral("Label8"))->setText(m_state.dataFolder);
    findChild<QLabel*>(QStringLiteral("Label10"))->setText(programFolder());
}

void TFormOpt::Label8Click()
{
    openOrSay(m_state.dataFolder);
}

void TFormOpt::Label10Click()
{
    openOrSay(programFolder());
}

bool TFormOpt::BitBtn3Click()
{
    if (Dialogs::question(this, QStringLiteral("You really must delete all documents? "),
                          Dialogs::Answer::No) != Dialogs::Answer::Yes)
        return false;
    const bool deleted = Shell::deleteFolderTree(m_state.dataFolder);
    Dialogs::information(this, deleted ? QStringLiteral("It is successful to delete ")
                                       : QStringLiteral("deleting failed. "));
    return deleted;
}
