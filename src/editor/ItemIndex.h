#pragma once

#include <QStringView>
#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>
// Inlined: most keys are short, and a call per line into the library costs
// as much as hashing them. The hashes are the library's.
#ifndef XXH_INLINE_ALL
#define XXH_INLINE_ALL
#endif
#include <xxhash.h>

// Item text (as bytes) to its number (0, 1, 2… in the order the items were
// first inserted), by open addressing over xxHash's XXH3. A slot is 8 bytes:
// the upper half of the key's hash (whose low bits also place it, so the
// index grows without hashing again) and 1 + the number, so that many slots
// share a cache line and a probe compares texts only when the halves agree.
// The keys are copied together into blocks that never move, each behind its
// length (one byte for most), so that comparing does not reach into a large
// file at random and a growing index copies no key. On a million lines this counted faster
// than absl::flat_hash_map (with its own hash or XXH3) and far faster than qHash.
class ItemIndex
{
public:
    static constexpr qsizetype kMissing = -1;

    ItemIndex() { m_slots.assign(16, 0); }

    static size_t hashOf(std::string_view key)
    {
        return size_t(XXH3_64bits(key.data(), key.size()));
    }

    // A text's key: its UTF-16 bytes.
    static std::string_view keyOf(QStringView text)
    {
        return {reinterpret_cast<const char*>(text.utf16()),
                size_t(text.size()) * sizeof(char16_t)};
    }

    // The key's number, or kMissing.
    qsizetype find(std::string_view key, size_t hash) const
    {
        const quint32 tag = tagOf(hash);
        for (size_t i = tag & mask();; i = (i + 1) & mask()) {
            const quint64 slot = m_slots[i];
            if (slot == 0)
                return kMissing;
            if (quint32(slot >> 32) == tag) {
                const qsizetype number = qsizetype(quint32(slot)) - 1;
                const std::string_view there = keyAt(number);
                if (there.size() == key.size() && sameBytes(there.data(), key.data(), key.size()))
                    return number;
            }
        }
    }

    // Ask the processor for the memory a find() of the hash reads, one step
    // at a time: the slot, then (once that has come) where its key is, then
    // the key. A caller with many keys to look up takes each step for several
    // keys before it finds any, so that their waits overlap.
    void prefetchSlot(size_t hash) const { prefetch(&m_slots[tagOf(hash) & mask()]); }
    void prefetchStart(size_t hash) const
    {
        if (const quint64 slot = m_slots[tagOf(hash) & mask()])
            prefetch(&m_starts[size_t(quint32(slot)) - 1]);
    }
    void prefetchKey(size_t hash) const
    {
        if (const quint64 slot = m_slots[tagOf(hash) & mask()])
            prefetch(m_starts[size_t(quint32(slot)) - 1]);
    }

    // key must not be in the index yet. Returns its number: the count of
    // keys inserted before it.
    qsizetype insert(std::string_view key, size_t hash)
    {
        // Numbers go in 32 bits, and the slots may not outgrow what a tag can
        // place; that many keys would need far more memory first.
        if (m_starts.size() >= kMostKeys)
            throw std::length_error("too many distinct items");
        if ((m_starts.size() + 1) * 4 > m_slots.size() * 3)
            grow();
        m_starts.push_back(store(key));
        place((quint64(tagOf(hash)) << 32) | m_starts.size());
        return qsizetype(m_starts.size()) - 1;
    }

    std::string_view keyAt(qsizetype number) const
    {
        const char* at = m_starts[size_t(number)];
        const uchar shortLength = uchar(*at);
        if (shortLength != kLongKey)
            return {at + 1, shortLength};
        quint64 length;
        std::memcpy(&length, at + 1, sizeof length);
        return {at + 1 + sizeof length, size_t(length)};
    }

    qsizetype size() const { return qsizetype(m_starts.size()); }

private:
    static constexpr size_t kMostKeys = size_t(3) << 30;
    static constexpr uchar kLongKey = 0xFF; // the length follows in 64 bits
    static constexpr size_t kFirstBlock = 1024;
    static constexpr size_t kLargestBlock = 1 << 20;

    // Where size_t has 32 bits, the hash is those bits.
    static quint32 tagOf(size_t hash)
    {
        return sizeof(size_t) >= 8 ? quint32(quint64(hash) >> 32) : quint32(hash);
    }

    size_t mask() const { return m_slots.size() - 1; }

    static void prefetch(const void* at)
    {
#if defined(__GNUC__)
        __builtin_prefetch(at);
#else
        (void)at;
#endif
    }

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
        if (n >= 4 && n < 8) {
            quint32 x, y, u, v;
            std::memcpy(&x, a, 4);
            std::memcpy(&y, b, 4);
            std::memcpy(&u, a + n - 4, 4);
            std::memcpy(&v, b + n - 4, 4);
            return x == y && u == v;
        }
        if (n < 4) {
            for (size_t i = 0; i < n; ++i) {
                if (a[i] != b[i])
                    return false;
            }
            return true;
        }
        return std::memcmp(a, b, n) == 0;
    }

    void place(quint64 slot)
    {
        size_t i = size_t(slot >> 32) & mask();
        while (m_slots[i] != 0)
            i = (i + 1) & mask();
        m_slots[i] = slot;
    }

    void grow()
    {
        std::vector<quint64> old(m_slots.size() * 2, 0);
        old.swap(m_slots);
        for (const quint64 slot : old) {
            if (slot != 0)
                place(slot);
        }
    }

    // Copies the key behind its length; returns where the length starts.
    const char* store(std::string_view key)
    {
        const bool isLong = key.size() >= kLongKey;
        const size_t head = isLong ? 1 + sizeof(quint64) : 1;
        const size_t need = head + key.size();
        if (need > m_free) {
            size_t block =
                m_blockSize == 0 ? kFirstBlock : std::min(m_blockSize * 2, kLargestBlock);
            while (block < kLargestBlock && need > block / 4)
                block *= 2;
            if (need > block / 4) {
                // A long key has a block of its own; the current block stays open.
                m_blocks.emplace_back(new char[need]);
                char* at = m_blocks.back().get();
                write(at, key, isLong);
                return at;
            }
            m_blockSize = block;
            m_blocks.emplace_back(new char[block]);
            m_next = m_blocks.back().get();
            m_free = block;
        }
        char* at = m_next;
        write(at, key, isLong);
        m_next += need;
        m_free -= need;
        return at;
    }

    static void write(char* at, std::string_view key, bool isLong)
    {
        if (isLong) {
            const quint64 length = key.size();
            *at = char(kLongKey);
            std::memcpy(at + 1, &length, sizeof length);
            at += 1 + sizeof length;
        } else {
            *at++ = char(uchar(key.size()));
        }
        if (!key.empty())
            std::memcpy(at, key.data(), key.size());
    }

    std::vector<quint64> m_slots;
    std::vector<const char*> m_starts; // each number's key, behind its length
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockSize = 0;
    char* m_next = nullptr;
    size_t m_free = 0;
};
