#pragma once

#include <QStringView>
#include <QtGlobal>
#include <cstring>
#include <string_view>
#include <vector>
#include <xxhash.h>

// Item text (as bytes) to entry number, by open addressing over xxHash's XXH3. Each slot
// keeps its key's hash, so a probe compares texts only when the hashes agree,
// and the keys are copied together, so that comparing does not reach into a
// large file at random. On a million lines this counted faster than
// absl::flat_hash_map (with its own hash or XXH3) and far faster than qHash.
class ItemIndex
{
public:
    static constexpr qsizetype kMissing = -1;

    ItemIndex() { m_slots.assign(16, Slot()); }

    static size_t hashOf(std::string_view key) { return size_t(XXH3_64bits(key.data(), key.size())); }

    // A text's key: its UTF-16 bytes.
    static std::string_view keyOf(QStringView text)
    {
        return {reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * sizeof(char16_t)};
    }

    qsizetype find(std::string_view key, size_t hash) const
    {
        for (size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = m_slots[i];
            if (slot.value == kMissing)
                return kMissing;
            if (slot.hash == hash && slot.length == key.size() &&
                sameBytes(m_keys.data() + slot.offset, key.data(), key.size()))
                return slot.value;
        }
    }

    // key must not be in the index yet. Returns where its copy is kept (see keyAt).
    size_t insert(std::string_view key, size_t hash, qsizetype value)
    {
        if ((m_used + 1) * 2 > m_slots.size())
            grow();
        const size_t offset = m_keys.size();
        place({hash, offset, key.size(), value});
        m_keys.insert(m_keys.end(), key.begin(), key.end());
        ++m_used;
        return offset;
    }

    std::string_view keyAt(size_t offset, size_t length) const
    {
        return {m_keys.data() + offset, length};
    }

private:
    struct Slot
    {
        size_t hash = 0;
        size_t offset = 0; // in m_keys
        size_t length = 0;
        qsizetype value = kMissing;
    };

    size_t mask() const { return m_slots.size() - 1; }

    // Most items are short: loads of a fixed size, which need no call, compare them.
    static bool sameBytes(const char* a, const char* b, size_t n)
    {
        const auto word = [](const char* p) {
            quint64 w;
            std::memcpy(&w, p, sizeof w);
            return w;
        };
        if (n >= 8 && n <= 16)
            return word(a) == word(b) && word(a + n - 8) == word(b + n - 8);
        if (n > 16 && n <= 32)
            return word(a) == word(b) && word(a + 8) == word(b + 8) &&
                   word(a + n - 16) == word(b + n - 16) && word(a + n - 8) == word(b + n - 8);
        return std::memcmp(a, b, n) == 0;
    }

    void place(const Slot& slot)
    {
        size_t i = slot.hash & mask();
        while (m_slots[i].value != kMissing)
            i = (i + 1) & mask();
        m_slots[i] = slot;
    }

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.value != kMissing)
                place(slot);
        }
    }

    std::vector<Slot> m_slots;
    std::vector<char> m_keys; // every key's bytes, one after another
    size_t m_used = 0;
};
