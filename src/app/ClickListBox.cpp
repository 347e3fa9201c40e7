#include "ClickListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClickListBox::ClickListBox(QWidget* parent) : QListWidget(parent)
{
    // A click puts the item into the editor and hands it the focus; the
    // second click of a double click must not take it back.
    setFocusPolicy(Qt::TabFocus);
}

void ClickListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() >= 0 && currentRow() != before)
        emit entryChosen();
}

void ClickListBox::mousePressEvent(QMouseEvent* event)
{
    m_pressedRow =
        event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()).row() : -1;
    QListWidget::mousePressEvent(event);
}

void ClickListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Its first click has already chosen the entry.
    m_doubleClick = true;
    QListWidget::mouseDoubleClickEvent(event);
}

void ClickListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    const bool chosen = event->button() == Qt::LeftButton && !m_doubleClick && m_pressedRow >= 0 &&
                        indexAt(event->position().toPoint()).row() == m_pressedRow &&
                        currentRow() == m_pressedRow;
    m_doubleClick = false;
    m_pressedRow = -1;
    if (chosen)
        emit entryChosen();
}
