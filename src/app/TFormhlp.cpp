#include "TFormhlp.h"

#include "AppState.h"
#include "PictureBox.h"
#include "platform/Shell.h"
#include "tools/HelpPictures.h"
#include "tools/StartupTip.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QStringList& memo1Lines()
{
    static const QStringList lines = {
        QStringLiteral("If you each time open this "),
        QStringLiteral("software, always open a "),
        QStringLiteral("specific title at first, you may "),
        QStringLiteral("establish: Starts to open."),
        QStringLiteral("Step: "),
        QStringLiteral("1. click this title."),
        QStringLiteral("2.click  [ Default]."),
        QStringLiteral("Note: If you want to cancel, click "),
        QStringLiteral(" [Default] again."),
    };
    return lines;
}
} // namespace

TFormhlp::TFormhlp(AppState& state, TForm1* form1)
    : PagedWindow(state, QStringLiteral("Formhlp"), QStringLiteral("Help")), m_form1(form1),
      m_timer1(new QTimer(this))
{
    // On top of the main window while the user works there, never taking the focus.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(13, 282, 786, 288);
    setLook(QColor(228, 228, 228), 13);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &TFormhlp::Timer1Timer);

    // Panel1 to the left of the pages.
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->removeWidget(m_pages);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(buildPanel1());
    row->addWidget(m_pages, 1);
    column->addLayout(row);
    buildPages();
}

QWidget* TFormhlp::buildPanel1()
{
    auto* panel1 = new QWidget;
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedWidth(191);
    auto* buttons = new QVBoxLayout(panel1);
    // The longest caption needs nearly the whole panel.
    buttons->setContentsMargins(3, 6, 3, 6);
    const QList<QPair<const char*, void (TFormhlp::*)()>> table = {
        {"I See", &TFormhlp::BitBtn2Click},
        {"I See ,do not display at startup", &TFormhlp::BitBtn1Click},
        {"Best way--StartOpen", &TFormhlp::BitBtn3Click},
        {"New title", &TFormhlp::BitBtn4Click},
        {"New title group", &TFormhlp::BitBtn5Click},
        {"Make report Singly", &TFormhlp::BitBtn7Click},
        {"Documents or Uninstall", &TFormhlp::BitBtn6Click},
        {"Other help or suggest", &TFormhlp::BitBtn8Click},
    };
    const char* const names[] = {"BitBtn2", "BitBtn1", "BitBtn3", "BitBtn4",
                                 "BitBtn5", "BitBtn7", "BitBtn6", "BitBtn8"};
    for (int i = 0; i < table.size(); ++i) {
        auto* b = new QPushButton(QString::fromLatin1(table[i].first));
        b->setObjectName(QString::fromLatin1(names[i]));
        // A click leaves the focus where the user works; Tab still reaches it.
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, [this, h = table[i].second] { (this->*h)(); });
        buttons->addWidget(b);
    }
    buttons->addStretch();
    return panel1;
}

void TFormhlp::buildPages()
{
    auto* quick = new QVBoxLayout(page(QStringLiteral("quickstar")));
    auto* quickPicture =
        new PictureBox(QStringLiteral("Image1"), QStringLiteral(":/tools/quickstart.jpg"));
    quickPicture->setAccessibleName(QStringLiteral("Quick start"));
    quickPicture->setAccessibleDescription(HelpPictures::quickStartDescription());
    quick->addWidget(quickPicture);

    auto* best = new QHBoxLayout(page(QStringLiteral("Best way")));
    auto* bestPicture =
        new PictureBox(QStringLiteral("Image2"), QStringLiteral(":/tools/bestway.jpg"));
    bestPicture->setAccessibleName(QStringLiteral("Best way--StartOpen"));
    bestPicture->setAccessibleDescription(HelpPictures::bestWayDescription());
    best->addWidget(bestPicture, 3);
    auto* memo1 = new QPlainTextEdit;
    memo1->setObjectName(QStringLiteral("Memo1"));
    memo1->setAccessibleName(QStringLiteral("Best way--StartOpen steps"));
    memo1->setReadOnly(true);
    memo1->setPlainText(memo1Lines().join(QLatin1Char('\n')));
    best->addWidget(memo1, 2);

    QWidget* other = page(QStringLiteral("other"));
    auto* texts = new QVBoxLayout(other);
    auto* label1 = new QLabel(QStringLiteral("Other help or suggest"));
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = new QLabel(QStringLiteral("please visit:"));
    label2->setObjectName(QStringLiteral("Label2"));
    // No web page: the link opens the documentation that comes with the program.
    const QString documentation =
        Shell::programDocumentation(QCoreApplication::applicationFilePath());
    m_label3 = new QLabel(documentation.isEmpty() ? QStringLiteral("README.md") : documentation);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setProperty("target", documentation);
    // Tab reaches the link and Enter or Space opens it; a dotted frame shows the focus.
    m_label3->setStyleSheet(
        QStringLiteral("QLabel { color: blue; font-weight: bold; text-decoration: underline;"
                       " border: 1px dotted transparent; } QLabel:focus { border-color: blue; }"));
    m_label3->setCursor(Qt::PointingHandCursor);
    m_label3->setFocusPolicy(Qt::TabFocus);
    m_label3->installEventFilter(this);
    texts->addStretch();
    for (QLabel* l : {label1, label2, m_label3})
        texts->addWidget(l);
    texts->addStretch();
}

bool TFormhlp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label3 && event->type() == QEvent::MouseButtonRelease)
        Label3Click();
    if (watched == m_label3 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Label3Click();
            return true;
        }
    }
    return PagedWindow::eventFilter(watched, event);
}

void TFormhlp::showQuickStart()
{
    showPage(QStringLiteral("quickstar"), QStringLiteral("Help---Quick start"));
}

void TFormhlp::armStartupHelp()
{
    m_timer1->stop();
    if (StartupTip::enabled(m_state.dataFolder))
        m_timer1->start();
}
