#pragma once

#include "PagedWindow.h"

// The tools window: shortcut page, documents and uninstall page, about page.
class TFormOpt : public PagedWindow
{
    Q_OBJECT
public:
    explicit TFormOpt(AppState& state);

private:
    void buildAboutPage();
};
