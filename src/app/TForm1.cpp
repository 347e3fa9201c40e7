#include "TForm1.h"

#include "ClickListBox.h"
#include "EntryEditor.h"
#include "FixedRowDelegate.h"
#include "HiddenTabs.h"
#include "ImageLists.h"
#include "TFormOpt.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

namespace {
QFont designFont(int pixelHeight)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelHeight);
    return f;
}

void setBackground(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void markSplitterHandle(QSplitterHandle* handle)
{
    setBackground(handle, QColor(255, 255, 170));
}

// Keeps a tool button without a hint: its action would offer its caption instead.
class NoHint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::ToolTip || QObject::eventFilter(watched, event);
    }
};

} // namespace

TForm1::TForm1(const ProgramOptions& options) : m_state(options)
{
    setObjectName(QStringLiteral("Form1"));
    buildLayout();
    buildMenus();
    buildToolbar();
    buildContextMenus();
    setUpTreeEditing();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::attachWindows(TFormpic* formpic, TFormOpt* formOpt, TFormhlp* formhlp)
{
    m_formpic = formpic;
    m_formOpt = formOpt;
    m_formhlp = formhlp;
    if (m_desktopShortcutDue && m_formOpt)
        m_formOpt->Button1Click();
    m_desktopShortcutDue = false;
}

void TForm1::buildLayout()
{
    resize(kDesignSize);
    setFont(designFont(16));
    setBackground(this, QColor(135, 206, 235)); // sky blue

    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->tabBar()->hide();
    keepPagesFromKeys(m_pageControl);
    setCentralWidget(m_pageControl);

    m_tabSheet1 = new QWidget;
    m_tabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    m_pageControl->addTab(m_tabSheet1, QStringLiteral("type"));
    // Pages that only carry hidden worker controls; never shown.
    for (const char* name : {"count", "temp", "time", "OPt"}) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        m_pageControl->addTab(page, QString::fromLatin1(name));
    }

    auto* layout = new QVBoxLayout(m_tabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, m_tabSheet1);
    m_splitter->setObjectName(QStringLiteral("Splitter3"));
    m_splitter->setHandleWidth(2);
    m_splitter->setChildrenCollapsible(true);
    layout->addWidget(m_splitter);

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->header()->hide();
    m_tree->setColumnCount(1);
    m_tree->setIndentation(19);
    m_tree->setFont(designFont(13));
    setBackground(m_tree, QColor(176, 216, 255));
    m_tree->setContextMenuPolicy(Qt::NoContextMenu); // opened by the tree's mouse filter
    m_tree->viewport()->installEventFilter(this);
    m_tree->installEventFilter(this); // Enter opens the selected node
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setAccessibleName(QStringLiteral("Title tree"));

    m_editor = new EntryEditor;
    m_editor->setObjectName(QStringLiteral("RichEditNeed"));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setFont(designFont(16));
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    m_editor->setAccessibleName(QStringLiteral("Entries"));
    setBackground(m_editor, QColor(188, 240, 243));

    m_panel1 = new QWidget;
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    auto* panelLayout = new QVBoxLayout(m_panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    m_panelSplitter = new QSplitter(Qt::Horizontal, m_panel1);
    m_panelSplitter->setObjectName(QStringLiteral("Splitter1"));
    m_panelSplitter->setHandleWidth(2);
    panelLayout->addWidget(m_panelSplitter);

    auto* clickListBox = new ClickListBox;
    m_clickListBox = clickListBox;
    m_clickListBox->setObjectName(QStringLiteral("ListBoxListNow"));
    m_clickListBox->setFont(designFont(13));
    m_clickListBox->setUniformItemSizes(true);
    m_clickListBox->setAccessibleName(QStringLiteral("Click list"));
    m_clickListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette clickPalette = m_clickListBox->palette();
    clickPalette.setColor(QPalette::Base, QColor(217, 217, 255));
    clickPalette.setColor(QPalette::Text, QColor(0, 128, 128)); // teal
    m_clickListBox->setPalette(clickPalette);

    m_hotkeyBox = new QListWidget;
    m_hotkeyBox->setObjectName(QStringLiteral("ListBoxHotkey"));
    m_hotkeyBox->setFont(designFont(13));
    m_hotkeyBox->setUniformItemSizes(true);
    m_hotkeyBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_hotkeyBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_hotkeyBox->setFocusPolicy(Qt::NoFocus);
    m_hotkeyBox->setAccessibleName(QStringLiteral("Hotkeys"));
    setBackground(m_hotkeyBox, QColor(183, 238, 238));
    // The hotkey column scrolls with the click list, row beside row.
    connect(m_clickListBox->verticalScrollBar(), &QScrollBar::valueChanged,
            m_hotkeyBox->verticalScrollBar(), &QScrollBar::setValue);

    m_rowDelegate = new FixedRowDelegate(16, this);
    m_clickListBox->setItemDelegate(m_rowDelegate);
    m_hotkeyBox->setItemDelegate(m_rowDelegate);
    m_panelSplitter->addWidget(m_clickListBox);
    m_panelSplitter->addWidget(m_hotkeyBox);
    m_panelSplitter->setSizes({133 - 28 - 2, 28});

    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_editor);
    m_splitter->addWidget(m_panel1);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({224, 798 - 224 - 133 - 4, 133});
    // The splitters beside the tree and between the two lists are pale
    // yellow; only the one beside the tree has a hint, on its handle alone.
    markSplitterHandle(m_splitter->handle(1));
    markSplitterHandle(m_panelSplitter->handle(1));
    m_splitter->handle(1)->setToolTip(QStringLiteral("Title windows"));

    // Hot tracking: the row under the mouse is marked.
    m_tree->setMouseTracking(true);
    m_tree->viewport()->setAttribute(Qt::WA_Hover);

    m_clickTip = new QLabel(QStringLiteral("PanelclickTip"), m_editor);
    m_clickTip->setObjectName(QStringLiteral("PanelclickTip"));
    m_clickTip->setGeometry(0, 0, 127, 41);
    m_clickTip->setAlignment(Qt::AlignCenter);
    setBackground(m_clickTip, QColor(218, 242, 204));
    m_clickTip->hide();

    connect(m_editor, &QPlainTextEdit::textChanged, this, &TForm1::RichEditNeedChange);
    connect(m_editor, &EntryEditor::keyDown, this, &TForm1::RichEditNeedKeyDown);
    connect(m_editor, &EntryEditor::keyUp, this, &TForm1::RichEditNeedKeyUp);
    connect(m_editor, &EntryEditor::pasted, this, &TForm1::collectPastedLines);
    connect(m_editor, &EntryEditor::mouseDown, this, &TForm1::RichEditNeedMouseDown);
    connect(clickListBox, &ClickListBox::entryChosen, this, &TForm1::ListBoxListNowClick);
}

template <typename Handler>
QAction* TForm1::addAction(QMenu* menu, const QString& caption, const QString& name,
                           Handler handler)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setIconVisibleInMenu(false);
    connect(a, &QAction::triggered, this, [this, handler] { std::invoke(handler, this); });
    menu->addAction(a);
    m_actions.insert(name, a);
    return a;
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto menu = [&](const QString& caption, const QString& name) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    QMenu* file = menu(QStringLiteral("File"), QStringLiteral("File1"));
    addAction(file, QStringLiteral("New Title Group..."), QStringLiteral("NewTitleGroup1"),
              &TForm1::NewTitleGroup1Click);
    addAction(file, QStringLiteral("New Title..."), QStringLiteral("New1"), &TForm1::New1Click);
    addAction(file, QStringLiteral("Append Text..."), QStringLiteral("AppendText1"),
              &TForm1::AppendText1Click);
    addAction(file, QStringLiteral("Export..."), QStringLiteral("Export1"), &TForm1::Export1Click);
    addAction(file, QStringLiteral("reload click list"), QStringLiteral("reloadclicklist1"),
              &TForm1::reloadclicklist1Click);
    addAction(file, QStringLiteral("Rename..."), QStringLiteral("Rename1"), &TForm1::Rename1Click);
    addAction(file, QStringLiteral("Delete"), QStringLiteral("Delete1"), &TForm1::Delete1Click);
    addAction(file, QStringLiteral("Save"), QStringLiteral("Post1"), &TForm1::Post1Click);
    addAction(file, QStringLiteral("Exit"), QStringLiteral("Exit1"), &QWidget::close);

    m_editMenu = menu(QStringLiteral("Edit"), QStringLiteral("Edit1"));
    addAction(m_editMenu, QStringLiteral("Replace Item..."), QStringLiteral("ReplaceItem1"),
              &TForm1::ReplaceItem1Click);
    addAction(m_editMenu, QStringLiteral("Copy"), QStringLiteral("Copy1"), &TForm1::Copy1Click);
    addAction(m_editMenu, QStringLiteral("Paste"), QStringLiteral("Paste1"), &TForm1::Paste1Click);
    addAction(m_editMenu, QStringLiteral("Cut"), QStringLiteral("Cut1"), &TForm1::Cut1Click);
    addAction(m_editMenu, QStringLiteral("Select All"), QStringLiteral("SelectAll1"),
              &TForm1::SelectAll1Click);

    m_hotkeyMenu = menu(QStringLiteral("Hotkey"), QStringLiteral("hotkey1"));

    QMenu* report = menu(QStringLiteral("RePort"), QStringLiteral("RePort1"));
    addAction(report, QStringLiteral("BarChart"), QStringLiteral("BarChart1"),
              &TForm1::BarChart1Click);
    addAction(report, QStringLiteral("BarchartHorizon"), QStringLiteral("Barchart11"),
              &TForm1::Barchart11Click);
    addAction(report, QStringLiteral("PieChart"), QStringLiteral("PieChart1"),
              &TForm1::PieChart1Click);
    addAction(report, QStringLiteral("TextReport"), QStringLiteral("TextReport"),
              &TForm1::TextReportClick);
    addAction(report, QStringLiteral("MS Word Report"), QStringLiteral("MSWordReport1"),
              &TForm1::MSWordReport1Click);
    addAction(report, QStringLiteral("Make report Singly"), QStringLiteral("Frominput1"),
              &TForm1::Frominput1Click);

    QMenu* tools = menu(QStringLiteral("Tools"), QStringLiteral("Tools1"));
    addAction(tools, QStringLiteral("Uninstall"), QStringLiteral("Uninstall1"),
              &TForm1::Uninstall1Click);
    addAction(tools, QStringLiteral("ShortCut"), QStringLiteral("Short1"), &TForm1::Short1Click);

    QMenu* option = menu(QStringLiteral("Option"), QStringLiteral("Option1"));
    addAction(option, QStringLiteral("Default"), QStringLiteral("Startopen1"),
              &TForm1::Startopen1Click);

    QMenu* windows = menu(QStringLiteral("Windows"), QStringLiteral("Windows1"));
    QAction* title =
        addAction(windows, QStringLiteral("Title"), QStringLiteral("itle1"), &TForm1::itle1Click);
    title->setCheckable(true);
    title->setChecked(true);

    QMenu* help = menu(QStringLiteral("Help"), QStringLiteral("Help1"));
    addAction(help, QStringLiteral("help"), QStringLiteral("help2"), &TForm1::help2Click);
    addAction(help, QStringLiteral("About..."), QStringLiteral("About1"), &TForm1::About1Click);

    // The menus carry no accelerators: F10 opens the first menu with its first
    // item marked, as on other desktops (Alt alone reaches the bar where the
    // style allows it).
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, bar, [bar] {
        QAction* first = bar->actions().value(0);
        bar->setActiveAction(first);
        if (QMenu* menu = first ? first->menu() : nullptr)
            menu->setActiveAction(menu->actions().value(0));
    });
}

template <typename Handler>
QAction* TForm1::addToolButton(const QString& caption, const QString& name, const QString& hint,
                               int image, Handler handler)
{
    auto* a = new QAction(ImageLists::toolbarIcon(image), caption, this);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setData(image);
    connect(a, &QAction::triggered, this, [this, handler] { std::invoke(handler, this); });
    m_toolBar->addAction(a);
    if (QWidget* button = m_toolBar->widgetForAction(a)) {
        button->setObjectName(name);
        button->setFixedSize(65, 36);
        if (hint.isEmpty())
            button->installEventFilter(new NoHint(button));
    }
    m_actions.insert(name, a);
    return a;
}

void TForm1::buildToolbar()
{
    m_toolBar = addToolBar(QStringLiteral("ToolBar1"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setMinimumHeight(42);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setFont(designFont(11));
    auto separator = [this] {
        auto* gap = new QWidget;
        gap->setFixedWidth(5);
        m_toolBar->addWidget(gap);
    };
    addToolButton(QStringLiteral("NewGroup"), QStringLiteral("ToolButtonGroup"), QString(),
                  ImageLists::Toolbar::NewTitleGroup, &TForm1::NewTitleGroup1Click);
    addToolButton(QStringLiteral("NewTitle"), QStringLiteral("ToolButton2"),
                  QStringLiteral("New Title"), ImageLists::Toolbar::NewTitle, &TForm1::New1Click);
    separator();
    addToolButton(QStringLiteral("Default"), QStringLiteral("ToolButtonStartOpen"),
                  QStringLiteral("Open when this software starts"),
                  ImageLists::Toolbar::DefaultUnmarked, &TForm1::ToolButtonStartOpenClick);
    addToolButton(QStringLiteral("Save"), QStringLiteral("ToolButtonSave"),
                  QStringLiteral("Save title"), ImageLists::Toolbar::Save, &TForm1::Post1Click);
    addToolButton(QStringLiteral("Replace"), QStringLiteral("ToolButtonReplace"),
                  QStringLiteral("Replace Item"), ImageLists::Toolbar::Replace,
                  &TForm1::ReplaceItem1Click);
    separator();
    addToolButton(QStringLiteral("BarChart"), QStringLiteral("ToolButtonBar"),
                  QStringLiteral("BarChart"), ImageLists::Toolbar::BarChart,
                  &TForm1::BarChart1Click);
    addToolButton(QStringLiteral("PieChart"), QStringLiteral("ToolButtonPie"),
                  QStringLiteral("PieChart"), ImageLists::Toolbar::PieChart,
                  &TForm1::PieChart1Click);
    addToolButton(QStringLiteral("BarChart"), QStringLiteral("ToolButtonbar2"),
                  QStringLiteral("BarchartHorizon"), ImageLists::Toolbar::HorizontalBarChart,
                  &TForm1::Barchart11Click);
    addToolButton(QStringLiteral("WordReport"), QStringLiteral("ToolButtonWord"),
                  QStringLiteral("MS Word Report"), ImageLists::Toolbar::WordReport,
                  &TForm1::MSWordReport1Click);
    addToolButton(QStringLiteral("TextReport"), QStringLiteral("ToolButtonText"),
                  QStringLiteral("Text Report"), ImageLists::Toolbar::TextReport,
                  &TForm1::TextReportClick);
    separator();
    addToolButton(QStringLiteral("Help"), QStringLiteral("ToolButton11"), QStringLiteral("Help"),
                  ImageLists::Toolbar::Help, &TForm1::help2Click);
}

void TForm1::buildContextMenus()
{
    m_popupTitle = new QMenu(this);
    m_popupTitle->setObjectName(QStringLiteral("PopupMenuTitle"));
    addAction(m_popupTitle, QStringLiteral("New Title..."), QStringLiteral("NewTitle1"),
              &TForm1::New1Click);
    addAction(m_popupTitle, QStringLiteral("New Title Group..."),
              QStringLiteral("Form1NewTitleGroup1"), &TForm1::NewTitleGroup1Click);
    addAction(m_popupTitle, QStringLiteral("Rename"), QStringLiteral("Rename2"),
              &TForm1::Rename1Click);

    auto* popupText = new QMenu(this);
    popupText->setObjectName(QStringLiteral("PopupMenuText"));
    addAction(popupText, QStringLiteral("Replace Item..."), QStringLiteral("ReplaceItem2"),
              &TForm1::ReplaceItem1Click);
    addAction(popupText, QStringLiteral("Copy"), QStringLiteral("Copy2"), &TForm1::Copy1Click);
    addAction(popupText, QStringLiteral("Paste"), QStringLiteral("Paste2"), &TForm1::Paste1Click);
    addAction(popupText, QStringLiteral("cut"), QStringLiteral("cut2"), &TForm1::Cut1Click);
    connect(m_editor, &QWidget::customContextMenuRequested, this,
            [this, popupText](const QPoint& pos) {
                popupText->popup(m_editor->viewport()->mapToGlobal(pos));
            });

    auto* popupClick = new QMenu(this);
    popupClick->setObjectName(QStringLiteral("PopupMenuClick"));
    addAction(popupClick, QStringLiteral("reload click list"), QStringLiteral("reloadclick1"),
              &TForm1::reloadclicklist1Click);
    connect(m_clickListBox, &QWidget::customContextMenuRequested, this,
            [this, popupClick](const QPoint& pos) {
                popupClick->popup(m_clickListBox->viewport()->mapToGlobal(pos));
            });
}

int TForm1::hotkeyColumnWidth(int designWidth) const
{
    QStringList entries = {HotkeyColumn::noHotkeyText(), QStringLiteral("W"), QStringLiteral("M")};
    if (designWidth >= 50) // the placeholders of the no-title state
        entries << QStringLiteral("Hotkey") << QStringLiteral("[Ctrl]+");
    const QFontMetrics metrics(m_hotkeyBox->font());
    int text = 0;
    for (const QString& entry : entries)
        text = qMax(text, metrics.horizontalAdvance(entry));
    // An item's text keeps the style's focus margin plus one on either side.
    const int margin =
        m_hotkeyBox->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_hotkeyBox) + 1;
    return qMax(designPixels(designWidth), text + 2 * margin + 2 * m_hotkeyBox->frameWidth());
}
