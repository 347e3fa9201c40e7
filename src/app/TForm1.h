#pragma once

#include "AppState.h"
#include "charts/Charts.h"
#include "editor/ClickList.h"
#include "editor/Hotkeys.h"
#include "editor/WholeTitle.h"
#include "stats/Tally.h"
#include "titles/TitleLineViews.h"

#include <QHash>
#include <QLockFile>
#include <QMainWindow>
#include <future>
#include <memory>
#include <optional>

namespace EditorLines {
struct Collected;
}

class EntryEditor;
class QAction;
class QListWidget;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class QLabel;
class TFormpic;
class TFormOpt;
class TFormhlp;
class TextViewer;
class FixedRowDelegate;
namespace EditorLines {
struct LineEdit;
}
namespace RecoveryCopy {
struct Copy;
}

// The main window: title tree, entry editor, click list with its hotkey
// column, menus and toolbar. Its handlers are spread over several files by
// concern (layout, start-up, titles, commands, editor, reports).
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // A tree node's kind, and a title's file name on disk (its extension may be in capitals).
    static constexpr int kKindRole = Qt::UserRole;
    static constexpr int kFileNameRole = Qt::UserRole + 1;

    explicit TForm1(const ProgramOptions& options);
    ~TForm1() override;

    // The secondary windows, created after this one.
    void attachWindows(TFormpic* formpic, TFormOpt* formOpt, TFormhlp* formhlp);

    // Shows the window maximised, with the size scaled to its screen as the
    // size it takes when it is not maximised.
    void showAtStart();

    AppState& state() { return m_state; }
    QAction* action(const QString& name) const { return m_actions.value(name); }

    // The shutdown sequence; runs once, whether the window is closed, the
    // session ends or the process is asked to terminate. With
    // askOnFailedSave, a failed save asks whether to close anyway.
    bool shutdown(bool askOnFailedSave);

    // --- Titles and saving ---
    void TreeView1Click();
    // Saves the open title if modified; false when a save failed (reported).
    bool Post1Click();
    void RichEditNeedChange();
    void itle1Click();

    // --- Editor and click list ---
    // Appends today's date line (and an empty line) to the editor when the
    // lines, which are the editor's, lack it; lines follow the editor.
    void ButtonAddDayClick(QStringList& lines);
    void Button18Click();
    void reloadclicklist1Click();
    void ListBoxListNowClick();
    void HotkeyMenuItemClick(const QString& item);
    void Copy1Click();
    void Cut1Click();
    void Paste1Click();
    void SelectAll1Click();

    // --- Reports ---
    std::shared_ptr<const TitleLineViews> editorLines() const;
    qsizetype clickListSize() const;
    // The tally "Total" started for exactly these lines, if it did; taken once.
    std::optional<TallyOutcome> takeTallyAhead(const std::shared_ptr<const TitleLineViews>& lines);
    bool BitBtn8Click(); // "Total": save, then reload the click list
    void TextReportClick();
    void BarChart1Click();
    void Barchart11Click();
    void PieChart1Click();
    void MSWordReport1Click();
    void Frominput1Click();
    void Button11Click(); // "View as textFile"
    void Button10Click(); // "Ms Word Report"
    bool Button23Click(); // draw the bar chart
    bool Button5Click();  // draw the horizontal bar chart
    bool Button21Click(); // draw the pie chart
    // Draw a chart and write it into the data folder: BarChart.bmp, pie.bmp,
    // BarChartH.bmp. False (after the message) when the file failed.
    bool Button22Click();
    bool Button20Click();
    bool Button7Click();

    // --- Commands whose pages live in other windows ---
    void NewTitleGroup1Click();
    void New1Click();
    void AppendText1Click();
    void Export1Click();
    void Rename1Click();
    void Delete1Click();
    void ReplaceItem1Click();
    void Uninstall1Click();
    // The tools window on its uninstall page; a null caption keeps the window's.
    void showUninstallPage(const QString& caption);
    void Short1Click();
    void Startopen1Click();
    void ToolButtonStartOpenClick();
    void help2Click();
    void About1Click();

    // --- Whole-title operations run from the picture window (TForm1WholeTitle.cpp) ---
    // Replaces every editor line that, trimmed, equals oldText by newText, as
    // one undo step, and rebuilds the click list. Returns the lines replaced.
    qsizetype replaceItem(const QString& oldText, const QString& newText);
    // Saves the open title and writes its file to target without the lines
    // the options leave out. False (after the message) when nothing was written.
    bool exportTitle(const QString& target, WholeTitle::NoteOption option, bool dropEmptyLines);

    // --- Library: creating, renaming, deleting, the default title ---
    void rebuildTree();
    // In-place editing of a node's text ended with text: renames its title
    // file or group folder and keeps the open and the default title with it.
    void TreeView1Edited(QTreeWidgetItem* node, const QString& text);
    bool openTitleIsDefault() const;
    // The open title becomes the default, or no title is; defaultfile.cnt
    // follows, a failed write is reported.
    void makeOpenTitleDefault();
    void clearDefault();
    // Image and hint of the Default button and Option -> Default, and their
    // caption unless it is null.
    void setDefaultLook(int image, const QString& hint, const QString& caption = QString());

signals:
    // The main window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (TForm1.cpp)
    void buildLayout();
    void buildMenus();
    void buildToolbar();
    void buildContextMenus();
    template <typename Handler>
    QAction* addAction(QMenu* menu, const QString& caption, const QString& name, Handler handler);
    template <typename Handler>
    QAction* addToolButton(const QString& caption, const QString& name, const QString& hint,
                           int image, Handler handler);

    // Width of the hotkey column: the design width at the screen's scale,
    // widened where an entry would not show whole in the column's font.
    int hotkeyColumnWidth(int designWidth) const;

    // Start-up (TForm1Startup.cpp)
    QSize screenSize() const;
    // A length of the 800-pixel-wide design at the screen's scale.
    int designPixels(int pixels) const;
    void FormCreate();
    void FormShow();
    void scaleToScreen();
    void enterNoTitleState();
    void TabSheet1Show();
    void openDefaultTitle();
    void createDesktopShortcut();

    // Titles (TForm1Titles.cpp)
    void buildTree();
    void openTitle();
    void showGroup();
    void markDefaultButton();
    QString openTitleFile() const;
    // A title is in the editor, loaded whole: not the tips, a group's explanation
    // or a title that failed to load.
    bool titleIsOpen() const
    {
        return m_state.shown == AppState::Shown::Title && m_state.openTitleLoaded;
    }
    void setSaveEnabled(bool enabled);
    void applyClickListRule();
    void setEditorText(const QStringList& lines);
    // The end of a long fill of the editor: a node click that came meanwhile runs now.
    void editorNoLongerBusy();

    // Library (TForm1Library.cpp)
    void setUpTreeEditing();
    QTreeWidgetItem* selectedNode() const;
    NodeState nodeStateOf(const QTreeWidgetItem* node) const;
    // The file of a title node, with its extension as it is on disk.
    QString nodeFilePath(const NodeState& title) const;
    // After a delete: leaves a shown title or group whose file is gone.
    void dropShownNodeIfGone();
    // False when the file or folder kept its name; *why then says why, if anything does.
    // *fileName receives the title's new file name.
    bool renameTitleNode(const NodeState& title, const QString& name, QString* fileName,
                         QString* why);
    bool renameGroupNode(const NodeState& group, const QString& name, QString* why);
    void writeDefaultFile();
    void resortNode(QTreeWidgetItem* node);

    // Titles on disk (TForm1TitleDisk.cpp)
    bool saveOpenTitle();
    bool resolveOutsideChange();
    bool keepBothTitles();
    void addTitleBeside(const QString& fileName, const QString& newTitle);
    bool lockDataFolder();

    // Recovery copy (TForm1Recovery.cpp)
    // Writes the copy a moment after the last change of the open title.
    void scheduleRecoveryCopy();
    void writeRecoveryCopy();
    // Removes the copy this run wrote: the lines are saved or given up.
    void dropRecoveryCopy();
    // At start: offers back the copies a crash left behind.
    void offerRecoveryCopies();
    // Opens the copy's title (made again if it is gone) with the copy's lines
    // as unsaved changes; false when it could not.
    bool restoreRecoveryCopy(const RecoveryCopy::Copy& copy);

    // Reports (TForm1Reports.cpp)
    void runChartCommand(bool (TForm1::*draw)(), const QString& captionPrefix);
    bool drawChart(Charts::Kind kind);
    bool writeChartFile(Charts::Kind kind);

    // Editor (TForm1Editor.cpp)
    void RichEditNeedKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void RichEditNeedKeyUp(int key, Qt::KeyboardModifiers modifiers);
    // The pasted lines' new items join the click list, and the hotkeys follow.
    void collectPastedLines(int firstLine, int lastLine);
    void showCollected(const EditorLines::Collected& collected);
    void RichEditNeedMouseDown();
    void reloadClickList(const QList<QStringView>& lines);
    // Shows the list in the click list box and assigns its hotkeys.
    void showClickList(ClickList list);
    void reloadClickList(const QStringList& lines)
    {
        reloadClickList(QList<QStringView>(lines.cbegin(), lines.cend()));
    }
    void setClickPanelWidth(int width);
    void AssignHotkeys();
    void PutItemAtCursor(const QString& item);
    void applyLineEdit(const EditorLines::LineEdit& edit);
    // After Append Text: an empty last line with the caret on it.
    void startFreshLastLine();

    static constexpr QSize kDesignSize{798, 568};

    AppState m_state;
    ClickList m_clickList;
    HotkeyColumn m_hotkeyColumn;
    TFormpic* m_formpic = nullptr;
    TFormOpt* m_formOpt = nullptr;
    TFormhlp* m_formhlp = nullptr;
    TextViewer* m_textViewer = nullptr;
    std::unique_ptr<QLockFile> m_dataLock; // one program per data folder
    // The tally that follows "Total", counted while the title is saved.
    struct TallyAhead
    {
        std::shared_ptr<const TitleLineViews> lines;
        QString titleName;
        std::future<TallyOutcome> outcome;
    };
    TallyAhead m_tallyAhead;
    QTimer* m_recoveryTimer = nullptr;
    QString m_recoveryFile;            // the recovery copy this run wrote last
    bool m_recoveryFailed = false;     // its last write failed (said once)
    bool m_unattended = false;         // shutting down without asking anything
    bool m_desktopShortcutDue = false; // first start: written once FormOpt exists
    bool m_shown = false;
    int m_scaleMultiplier = 800; // the screen width the controls were scaled to
    bool m_shutDown = false;
    int m_pasteStartLine = 0;

    bool m_editorBusy = false;    // a large text is going into the editor
    bool m_clickWhenDone = false; // a node click came meanwhile

    QHash<QString, QAction*> m_actions;
    QMenu* m_editMenu = nullptr;
    QMenu* m_hotkeyMenu = nullptr;
    QMenu* m_popupTitle = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QWidget* m_tabSheet1 = nullptr;
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_tree = nullptr;
    EntryEditor* m_editor = nullptr;
    QWidget* m_panel1 = nullptr;
    QSplitter* m_panelSplitter = nullptr;
    QListWidget* m_clickListBox = nullptr;
    QListWidget* m_hotkeyBox = nullptr;
    QLabel* m_clickTip = nullptr;
    FixedRowDelegate* m_rowDelegate = nullptr;
};
