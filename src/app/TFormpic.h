#pragma once

#include "PagedWindow.h"

#include "charts/Charts.h"

#include <QImage>

class QLabel;
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

private:
    void buildPicPage();
    void redraw(bool (TForm1::*draw)(), const QString& caption);
    QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                           const QRect& geometry, void (TFormpic::*handler)());

    TForm1* m_form1;
    QImage m_picture;
    QScrollArea* m_scrollBox = nullptr;
    QLabel* m_image1 = nullptr;
    QString m_pictureFolder; // where "Save Picture as" saved last in this run
};
