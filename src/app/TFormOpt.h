#pragma once

#include "PagedWindow.h"

class QCheckBox;

// The tools window: shortcut page, documents and uninstall page, about page.
class TFormOpt : public PagedWindow
{
    Q_OBJECT
public:
    explicit TFormOpt(AppState& state);

    // --- Documents and uninstall page ---
    // Fills the two folder links; run whenever the page is brought into view.
    void TabSheet7Show();
    void Label8Click();
    void Label10Click();
    // "Delete all documents": asks, deletes the data folder, says how it went.
    // True when the folder was deleted.
    bool BitBtn3Click();

    // --- Shortcut page (TFormOptShortcuts.cpp) ---
    void TabSheet1Show();
    void TabSheet1ContextPopup();
    // Refresh: each box ticked exactly when its launcher exists.
    void BitBtn2Click();
    // Writes the desktop launcher, whether or not one exists (first start).
    void Button1Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAboutPage();
    void buildUninstallPage();

    // --- Shortcut page (TFormOptShortcuts.cpp) ---
    void buildShortPage();
    void checkBoxClick(int index);
    QCheckBox* m_shortBoxes[4] = {};
};
