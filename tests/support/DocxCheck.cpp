#include "DocxCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>

QString docxProblems(const QString& docx, const QString& heading, const QString& byLine,
                     const QStringList& body, const QStringList& pictureFiles, int pictureCount)
{
    QJsonObject expected{{"heading", heading},
                         {"by", byLine},
                         {"body", QJsonArray::fromStringList(body)},
                         {"pictureCount", pictureCount}};
    if (!pictureFiles.isEmpty())
        expected.insert("pictures", QJsonArray::fromStringList(pictureFiles));
    QTemporaryFile json;
    if (!json.open())
        return QStringLiteral("cannot write the expectation file");
    json.write(QJsonDocument(expected).toJson());
    json.close();

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(QStringLiteral(MORVANE_PYTHON3),
                {QStringLiteral(MORVANE_CHECK_DOCX), docx, json.fileName()});
    if (!check.waitForFinished(120000))
        return QStringLiteral("check_docx.py did not run: ") + check.errorString();
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitStatus() != QProcess::NormalExit || check.exitCode() != 0)
        return output.isEmpty() ? QStringLiteral("check_docx.py failed") : output;
    return QString();
}
