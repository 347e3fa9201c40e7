#pragma once

#include "PagedWindow.h"

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

private:
    void buildAboutPage();
    void buildUninstallPage();
};
