#pragma once

#include <QStyledItemDelegate>

// Gives every row of a list the same height, so the hotkey column stays
// beside its click-list row whatever font either list has.
class FixedRowDelegate : public QStyledItemDelegate
{
public:
    FixedRowDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}

    void setHeight(int height) { m_height = height; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_height);
    }

private:
    int m_height;
};
