#pragma once

#include "PagedWindow.h"

// The help window.
class TFormhlp : public PagedWindow
{
    Q_OBJECT
public:
    explicit TFormhlp(AppState& state);
};
