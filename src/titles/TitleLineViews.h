#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include "TitleText.h"

// A title file's lines as views into one decoded text, without a string per
// line, for reading files of a million lines quickly; TitleText::decode is
// built on it. Also the editor's lines, read for saving and counting. Not
// copyable, so the views cannot outlive the text.
class TitleLineViews
{
public:
    explicit TitleLineViews(const QByteArray& bytes,
                            const QByteArray& legacyCodec = TitleText::defaultLegacyCodec());
    // An editor's text, lines separated by the separator: every piece is a
    // line, an empty last one included; an empty text has no line.
    TitleLineViews(QString text, QChar separator);
    // For an editor's text that changed from offset on: the lines from the one
    // holding offset on are replaced by those of tail, the text from that
    // line's start to the end. The line's start, or -1 (nothing changed)
    // when offset lies beyond the text.
    qsizetype lineStartOf(qsizetype offset) const;
    void replaceFrom(qsizetype lineStart, QStringView tail, QChar separator);
    TitleLineViews(const TitleLineViews&) = delete;
    TitleLineViews& operator=(const TitleLineViews&) = delete;

    const QList<QStringView>& lines() const { return m_lines; }
    const TitleText::Format& encoding() const { return m_encoding; }

private:
    void split(qsizetype from, QChar separator);

    QString m_text;
    TitleText::Format m_encoding;
    QList<QStringView> m_lines;
};
