// The Word report: the three chart files, then a new document in the data
// folder, handed to the user's word processor.
#include "TForm1.h"

#include "Dialogs.h"
#include "charts/WordReport.h"
#include "platform/Shell.h"
#include "platform/UserName.h"

#include <QDir>

void TForm1::Button10Click()
{
    // Bar, pie, then horizontal: the picture is left on the horizontal chart.
    if (!Button22Click() || !Button20Click() || !Button7Click())
        return;
    WordReport::Content content =
        WordReport::contentOf(m_state.tally.reportLines, UserName::fullName());
    QString error;
    if (!WordReport::readChartFiles(m_state.dataFolder, &content.pictures, &error)) {
        Dialogs::error(this, error);
        return;
    }
    // A new file every time: an earlier report may hold the user's own edits.
    const QString path = WordReport::freshPath(m_state.dataFolder, content.heading);
    if (!WordReport::write(path, content, &error)) {
        Dialogs::error(this, error);
        return;
    }
    // Where nothing can open it the user must at least learn where it is.
    QString reason;
    if (!Shell::canOpenType(WordReport::kMimeType, &reason) || !Shell::open(path, &reason))
        Dialogs::error(this, QStringLiteral("Whether Word has already been installed correctly?\n\n"
                                            "%1\n\nThe report was written to:\n%2")
                                 .arg(reason, QDir::toNativeSeparators(path)));
}
