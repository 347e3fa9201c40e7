#include "ClickList.h"

#include "ItemIndex.h"
#include "LineKinds.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

QCollator makeCollator(const QLocale& locale)
{
    // Qt's collator in the C locale sorts its keys by code unit, case
    // included, while comparing case-insensitively; the neutral Unicode
    // order (English has no tailoring of its own) keeps the two consistent.
    const QLocale collation = locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
    QCollator collator(collation);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

// The item a line carries, or an empty view.
QStringView itemOf(QStringView line)
{
    const QStringView t = LineKinds::trimmed(line);
    return LineKinds::isItem(t) ? t : QStringView();
}

} // namespace

ClickList::ClickList(const QLocale& locale) : m_locale(locale), m_collator(makeCollator(locale)) {}

ClickList ClickList::fromLines(const QList<QStringView>& lines, const QLocale& locale)
{
    ClickList list(locale);
    list.rebuild(lines);
    return list;
}

void ClickList::clear()
{
    m_entries.clear();
    m_members.clear();
}

void ClickList::rebuild(const QList<QStringView>& lines)
{
    clear();

    // Distinct items in order of first appearance; the index finds repeats
    // faster than the set would, so only new items are copied and added.
    QStringList arrived;
    ItemIndex seen;
    for (QStringView line : lines) {
        const QStringView item = itemOf(line);
        if (item.isEmpty())
            continue;
        const std::string_view key = ItemIndex::keyOf(item);
        const size_t hash = ItemIndex::hashOf(key);
        if (seen.find(key, hash) != ItemIndex::kMissing)
            continue;
        seen.insert(key, hash);
        QString text = item.toString();
        m_members.insert(text);
        arrived.append(std::move(text));
    }

    // One collation key per distinct item; a stable sort keeps entries that
    // are equal ignoring case in the order they arrived.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(arrived.size());
    for (const QString& item : std::as_const(arrived))
        keys.push_back(m_collator.sortKey(item));
    std::vector<qsizetype> order(arrived.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });

    m_entries.reserve(arrived.size());
    for (qsizetype i : order)
        m_entries.append(arrived.at(i));
}

qsizetype ClickList::add(QStringView item)
{
    if (!LineKinds::isItem(item) || LineKinds::trimmed(item).size() != item.size())
        return -1;
    if (contains(item))
        return -1;
    QString text = item.toString();
    // After every entry that sorts before or equal to it, as a newcomer.
    const auto pos = std::upper_bound(
        m_entries.cbegin(), m_entries.cend(), text,
        [this](const QString& a, const QString& b) { return m_collator.compare(a, b) < 0; });
    const qsizetype row = pos - m_entries.cbegin();
    m_members.insert(text);
    m_entries.insert(row, std::move(text));
    return row;
}

bool ClickList::contains(QStringView item) const
{
    // QSet<QString> in Qt 6.4 looks up by QString only.
    return m_members.contains(item.toString());
}
