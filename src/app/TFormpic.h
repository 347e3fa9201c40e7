#pragma once

#include "PagedWindow.h"

#include "charts/Charts.h"

#include <QImage>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class TForm1;

// The picture window: the chart picture with its buttons, and the small pages
// for new titles and groups, the default title, export, replace and pasted input.
class TFormpic : public PagedWindow
{
    Q_OBJECT
public:
    TFormpic(AppState& state, TForm1* form1);

    // The picture of Image1; null while empty.
    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    // Image1's current size (the picture area).
    QSize imageSize() const;
    void setImageSize(const QSize& size);
    QScrollArea* scrollBox() const { return m_scrollBox; }
    QPushButton* button(const QString& name) const;

    // Shows a drawn chart: its picture, the chart buttons and, for the
    // horizontal chart, what it does to this window.
    void applyChart(const Charts::ChartResult& chart, Charts::Kind kind);

    // "Start total...": tallies the main window's editor into the program's
    // tally result and writes Total.tol. False (after the message) when the
    // file could not be written.
    bool Button1Click();

    // Redraw buttons: draw from the current result, then set the caption.
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn6Click();
    void BitBtn10Click();
    void BitBtnWordClick();
    void BitBtn9Click();
    void BitBtn1Click();
    void BitBtn7Click();
    void BitBtn16Click();

    // --- New title, new title group and default-title pages ---
    // Opens the page "new" (or "newGroup") with item 1 of its placement
    // choice naming the clicked node's folder, the focus in the name box.
    void showNewPage(bool group);
    // preselect: 0 "Open when this software starts", 1 "Set none", -1 no item.
    void showStartPage(int preselect, const QString& openTitle);
    void Button7Click(); // ok on "new"
    void Button2Click(); // OK on "newGroup"
    void RadioGroup4Click(int index);

protected:
    void pageComing(const QString& pageName) override;

private:
    void buildLibraryPages();
    void createFromPage(bool group);
    void buildPicPage();
    // A screen reader reads the chart as the report it shows: the caption
    // and the report lines.
    void describePicture();
    void redraw(bool (TForm1::*draw)(), const QString& caption);
    QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                           const QRect& geometry, void (TFormpic::*handler)());

    TForm1* m_form1;
    QImage m_picture;
    QScrollArea* m_scrollBox = nullptr;
    QLabel* m_image1 = nullptr;
    // --- Replace, export and pasted-input pages (TFormpicWholeTitle.cpp, TFormpicInput.cpp) ---
public:
    // Opens the replace page with the title's distinct items in "Old row".
    void showReplacePage(const QStringList& items);
    // Opens the export page with "Don't export space line " ticked.
    void showExportPage();
    // Opens the pasted-input page with the focus in Memo1.
    void showInputPage();
    void BitBtn3Click();  // "Replace"
    void BitBtn12Click(); // "Export now"
    void BitBtn11Click(); // "Make report"
    void BitBtn15Click(); // "Paste"

private:
    void buildReplacePage();
    void buildExportPage();
    void buildInputPage();
    void Edit2Enter();

    QComboBox* m_comboBox1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QButtonGroup* m_radioGroup1 = nullptr;
    QCheckBox* m_checkBox1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;

    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit3 = nullptr;
    QButtonGroup* m_radioGroup3 = nullptr;
    QButtonGroup* m_radioGroup2 = nullptr;
    QButtonGroup* m_radioGroup4 = nullptr;
    QLabel* m_labelStartOpen = nullptr;
    QString m_pictureFolder; // where "Save Picture as" saved last in this run
};
