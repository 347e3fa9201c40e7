#include "TFormpic.h"

#include "Dialogs.h"
#include "ImageLists.h"
#include "PicturePrinting.h"
#include "TForm1.h"
#include "charts/PictureOutput.h"
#include "stats/Tally.h"
#include "stats/TotalFile.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>

TFormpic::TFormpic(AppState& state, TForm1* form1)
    : PagedWindow(state, QStringLiteral("Formpic"), QStringLiteral("FormPic")), m_form1(form1)
{
    setGeometry(4, 99, 790, 468);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(187, 221, 255));
    setPalette(p);
    setAutoFillBackground(true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    buildPicPage();
    buildReplacePage();
    buildExportPage();
    buildInputPage();
    buildLibraryPages();
    for (const char* name :
         {"start", "new", "newGroup", "export", "replace", "input", "textcounts", "none"})
        page(QString::fromLatin1(name));
}

QPushButton* TFormpic::addButton(QWidget* parent, const QString& name, const QString& caption,
                                 const QRect& geometry, void (TFormpic::*handler)())
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void TFormpic::buildPicPage()
{
    QWidget* pic = page(QStringLiteral("pic"));
    auto* layout = new QHBoxLayout(pic);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_scrollBox = new QScrollArea;
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setFixedWidth(593);
    m_scrollBox->setWidgetResizable(false);
    m_image1 = new QLabel;
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setGeometry(0, 0, 589, 399);
    m_image1->setAccessibleName(QStringLiteral("Chart picture"));
    m_scrollBox->setAccessibleName(QStringLiteral("Chart"));
    m_scrollBox->setWidget(m_image1);
    connect(this, &QWidget::windowTitleChanged, this, &TFormpic::describePicture);
    layout->addWidget(m_scrollBox);
    layout->addStretch();

    auto* panel6 = new QWidget;
    panel6->setObjectName(QStringLiteral("Panel6"));
    panel6->setFixedWidth(151);
    QPalette p = panel6->palette();
    p.setColor(QPalette::Window, QColor(216, 216, 235));
    panel6->setPalette(p);
    panel6->setAutoFillBackground(true);
    layout->addWidget(panel6);

    addButton(panel6, QStringLiteral("BitBtn5"), QStringLiteral("Barchart"), {11, 4, 121, 25},
              &TFormpic::BitBtn5Click);
    addButton(panel6, QStringLiteral("BitBtn6"), QStringLiteral("PieChart"), {10, 37, 124, 25},
              &TFormpic::BitBtn6Click);
    addButton(panel6, QStringLiteral("BitBtn2"), QStringLiteral("BarchartHorizon"),
              {11, 71, 124, 25}, &TFormpic::BitBtn2Click);
    addButton(panel6, QStringLiteral("BitBtnWord"), QStringLiteral("Ms Word Report"),
              {14, 108, 127, 24}, &TFormpic::BitBtnWordClick);
    addButton(panel6, QStringLiteral("BitBtn10"), QStringLiteral("Text Report"), {14, 142, 127, 26},
              &TFormpic::BitBtn10Click);
    auto* group = new QGroupBox(panel6);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(2, 183, 145, 121);
    addButton(group, QStringLiteral("BitBtn1"), QStringLiteral("Print"), {8, 16, 124, 25},
              &TFormpic::BitBtn1Click);
    addButton(group, QStringLiteral("BitBtn7"), QStringLiteral("Save Picture as"), {5, 48, 132, 23},
              &TFormpic::BitBtn7Click);
    addButton(group, QStringLiteral("BitBtn16"), QStringLiteral("Copy to clipboard"),
              {8, 84, 132, 25}, &TFormpic::BitBtn16Click);
    addButton(panel6, QStringLiteral("BitBtn9"), QStringLiteral("From input..."), {7, 321, 140, 25},
              &TFormpic::BitBtn9Click);
    // The buttons that carry a small picture beside their caption.
    const QList<QPair<const char*, int>> pictures = {
        {"BitBtn5", ImageLists::Toolbar::BarChart},
        {"BitBtn6", ImageLists::Toolbar::PieChart},
        {"BitBtn2", ImageLists::Toolbar::HorizontalBarChart},
        {"BitBtn1", ImageLists::Toolbar::TextReport},
        {"BitBtn7", ImageLists::Toolbar::Save},
    };
    for (const auto& [name, image] : pictures)
        button(QString::fromLatin1(name))->setIcon(ImageLists::toolbarIcon(image));
    auto* back = new QPushButton(QStringLiteral("back home page"), panel6);
    back->setObjectName(QStringLiteral("BitBtn8"));
    back->setGeometry(9, 355, 142, 28);
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
}

QPushButton* TFormpic::button(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

// Charts are drawn one picture pixel to one screen pixel, so on a
// high-density screen they stay sharp: the picture area's size counts screen
// pixels and the picture is shown at the screen's pixel ratio.
void TFormpic::setPicture(const QImage& picture)
{
    m_picture = picture;
    QPixmap pixmap;
    if (!picture.isNull()) {
        pixmap = QPixmap::fromImage(picture);
        pixmap.setDevicePixelRatio(devicePixelRatio());
    }
    m_image1->setPixmap(pixmap);
    describePicture();
}

void TFormpic::describePicture()
{
    const QString report =
        m_picture.isNull()
            ? QString()
            : windowTitle() + QLatin1Char('\n') + m_state.tally.reportLines.join(QLatin1Char('\n'));
    m_image1->setAccessibleDescription(report);
    m_scrollBox->setAccessibleDescription(report);
}

QSize TFormpic::imageSize() const
{
    return (QSizeF(m_image1->size()) * devicePixelRatio()).toSize();
}

void TFormpic::setImageSize(const QSize& size)
{
    m_image1->resize((QSizeF(size) / devicePixelRatio()).toSize());
}

bool TFormpic::Button1Click()
{
    const std::shared_ptr<const TitleLineViews> lines = m_form1->editorLines();
    std::optional<TallyOutcome> ahead = m_form1->takeTallyAhead(lines);
    const TallyOutcome outcome =
        ahead ? std::move(*ahead)
              : runTally(lines->lines(), m_form1->clickListSize(), m_state.node.titleName,
                         m_state.dates, m_state.clock, m_state.tally);
    m_state.tally = outcome.result;
    if (!outcome.counted)
        return true;
    QString error;
    if (!writeTotalFile(m_state.dataFolder, m_state.tally.reportLines, &error)) {
        Dialogs::error(this, error);
        return false;
    }
    return true;
}

void TFormpic::applyChart(const Charts::ChartResult& chart, Charts::Kind kind)
{
    if (kind == Charts::Kind::Horizontal) {
        const bool visible = isVisible();
        Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        if (chart.window.grew)
            flags |= Qt::WindowMaximizeButtonHint;
        if (windowFlags() != flags) {
            setWindowFlags(flags); // hides a shown window
            if (visible)
                show();
        }
        if (chart.window.grew) {
            // Maximised, the window manager fits the whole frame, title bar
            // included, into the work area; the small pages undo it.
            setWindowState(windowState() | Qt::WindowMaximized);
            m_scrollBox->setFixedWidth(Charts::scrollBoxWidthAfterGrowth(
                m_scrollBox->width(), qRound(chart.image.width() / devicePixelRatio())));
        }
    }
    setImageSize(chart.image.size());
    setPicture(chart.image);
    button(QStringLiteral("BitBtn5"))->setEnabled(chart.buttons.bar);
    button(QStringLiteral("BitBtn2"))->setEnabled(chart.buttons.horizontal);
    button(QStringLiteral("BitBtn6"))->setEnabled(chart.buttons.pie);
}

void TFormpic::pageComing(const QString& pageName)
{
    // Only a chart fills the work area; the small pages show at their own size.
    if (pageName != QLatin1String("pic") && (windowState() & Qt::WindowMaximized))
        setWindowState(windowState() & ~Qt::WindowMaximized);
}

void TFormpic::redraw(bool (TForm1::*draw)(), const QString& caption)
{
    (m_form1->*draw)();
    if (m_state.tally.totalCount != 0)
        setWindowTitle(caption);
}

void TFormpic::BitBtn5Click()
{
    redraw(&TForm1::Button23Click, QStringLiteral("BarChart"));
}

void TFormpic::BitBtn2Click()
{
    redraw(&TForm1::Button5Click, QStringLiteral("Horizon BarChart"));
}

void TFormpic::BitBtn6Click()
{
    redraw(&TForm1::Button21Click, QStringLiteral("PieChart"));
}
void TFormpic::BitBtn10Click()
{
    m_form1->Button11Click();
}
void TFormpic::BitBtnWordClick()
{
    m_form1->Button10Click();
}
void TFormpic::BitBtn9Click()
{
    m_form1->Frominput1Click();
}
void TFormpic::BitBtn1Click()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        Dialogs::error(this, noPrinterMessage());
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    QString error;
    if (!printPicture(printer, m_picture, imageSize(), &error))
        Dialogs::error(this, error);
}
void TFormpic::BitBtn7Click()
{
    // The dialog starts in the folder used last in this run, else the data folder.
    const QString folder = m_pictureFolder.isEmpty() ? m_state.dataFolder : m_pictureFolder;
    const QString name = Dialogs::saveFileName(this, QStringLiteral("Save Picture as"),
                                               PictureOutput::kSaveNameFilters,
                                               PictureOutput::kDefaultSuffix, folder);
    if (name.isEmpty())
        return;
    QString error;
    if (PictureOutput::writeBmp(m_picture, name, SafeFile::Purpose::Picture, &error) ==
        PictureOutput::WriteOutcome::Failed)
        Dialogs::error(this, error);
    else
        m_pictureFolder = QFileInfo(name).absolutePath();
}

void TFormpic::BitBtn16Click()
{
    // An empty picture has nothing to copy; the clipboard keeps what it holds.
    if (!m_picture.isNull())
        QGuiApplication::clipboard()->setImage(m_picture);
}
