#include "TFormhlp.h"

TFormhlp::TFormhlp(AppState& state)
    : PagedWindow(state, QStringLiteral("Formhlp"), QStringLiteral("Help"))
{
    resize(600, 420);
    page(QStringLiteral("quickstar"));
}
