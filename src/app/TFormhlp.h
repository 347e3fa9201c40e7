#pragma once

#include "PagedWindow.h"

class QLabel;
class QTimer;
class TForm1;

// The help window: buttons on the left, the quick-start, best-way and
// other-help pages on the right. It stays on top without taking the focus.
class TFormhlp : public PagedWindow
{
    Q_OBJECT
public:
    TFormhlp(AppState& state, TForm1* form1);

    // Shows the window on the quick-start page, on top (help2Click's work).
    void showQuickStart();
    // Arms the start-up help: Timer1 runs unless tip.cnt exists.
    void armStartupHelp();

    // --- Handlers (TFormhlpHandlers.cpp) ---
    void Timer1Timer();
    void BitBtn1Click(); // "I See ,do not display at startup"
    void BitBtn2Click(); // "I See"
    void BitBtn3Click(); // best-way page
    void BitBtn4Click(); // new title
    void BitBtn5Click(); // new title group
    void BitBtn6Click(); // documents and uninstall page
    void BitBtn7Click(); // report from pasted input
    void BitBtn8Click(); // other-help page
    void Label3Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPanel1();
    void buildPages();

    TForm1* m_form1;
    QTimer* m_timer1;
    QLabel* m_label3 = nullptr;
};
