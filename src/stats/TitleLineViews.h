#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A title file's lines as views into one decoded text: the same lines
// TitleText::decode gives, without a string per line, for reading files of a
// million lines quickly. Not copyable, so the views cannot outlive the text.
class TitleLineViews
{
public:
    explicit TitleLineViews(const QByteArray& bytes);
    TitleLineViews(const TitleLineViews&) = delete;
    TitleLineViews& operator=(const TitleLineViews&) = delete;

    const QList<QStringView>& lines() const { return m_lines; }

private:
    QString m_text;
    QList<QStringView> m_lines;
};
