#include "TextViewer.h"

#include "titles/TitleFiles.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TextViewer::TextViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_text(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("TextViewer"));
    resize(600, 480);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setPixelSize(14);
    m_text->setFont(mono);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}

void TextViewer::showFile(const QString& path)
{
    setWindowTitle(QFileInfo(path).fileName());
    const TitleFiles::Loaded loaded = TitleFiles::load(path);
    m_text->setPlainText(loaded.ok ? TitleText::toEditorText(loaded.text.lines) : loaded.error);
    show();
    raise();
    activateWindow();
}

QString TextViewer::text() const
{
    return m_text->toPlainText();
}
