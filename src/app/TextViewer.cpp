#include "TextViewer.h"

#include "titles/TitleFiles.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TextViewer::TextViewer(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("TextViewer"));
    setModal(false);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setPixelSize(14);
    m_text->setFont(mono);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
}

void TextViewer::showFile(const QString& path)
{
    setWindowTitle(QFileInfo(path).fileName());
    const TitleFiles::Loaded loaded = TitleFiles::load(path);
    m_text->setPlainText(loaded.ok ? TitleText::toEditorText(loaded.text.lines) : loaded.error);
    if (!m_placed) {
        // First showing: two thirds of the main window, centred over it (the
        // dialog centres itself on its parent), never larger than the screen.
        m_placed = true;
        QSize size(600, 480);
        if (const QWidget* owner = parentWidget())
            size = size.expandedTo(owner->size() * 2 / 3);
        if (const QScreen* s = screen())
            size = size.boundedTo(s->availableGeometry().size());
        resize(size);
    }
    show();
    raise();
    activateWindow();
}

QString TextViewer::text() const
{
    return m_text->toPlainText();
}
