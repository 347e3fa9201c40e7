#pragma once

#include <QByteArrayView>
#include <algorithm>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// A title file read as bytes, without decoding it: for the tally, which only
// needs to decode the few lines it reports.
namespace TitleBytes {

// A file's text without the byte-order mark that decoding UTF-8 drops. Only
// valid UTF-8 is read this way; a file in a legacy code page must be decoded
// (TitleLineViews), and so must one that starts with two marks, where what is
// text is the decoder's to say. nullopt for those.
std::optional<QByteArrayView> withoutMark(QByteArrayView file);

// Calls f(QByteArrayView piece) for pieces of text of about size bytes, each
// ending after a LF (the last at the end of text), until f returns false. No
// line is split, so the pieces are valid UTF-8 exactly when the text is, and
// one can be read and let go before the next is touched.
template <typename F> void forEachPiece(QByteArrayView text, qsizetype size, F&& f)
{
    while (!text.isEmpty()) {
        qsizetype end = text.size();
        if (size < end) {
            const qsizetype lf = text.indexOf('\n', size - 1);
            end = lf < 0 ? text.size() : lf + 1;
        }
        if (!f(text.first(end)))
            return;
        text = text.sliced(end);
    }
}

// Calls f(QByteArrayView line) for each line of text, as TitleLineViews splits
// them: at CR LF, LF or a lone CR; the break after the last line does not
// start another.
template <typename F> void forEachLine(QByteArrayView text, F&& f)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* lineStart = begin;
    // The break after this one starts the next line.
    const auto pass = [&](const char* brk) {
        f(QByteArrayView(lineStart, brk - lineStart));
        lineStart = (*brk == '\r' && brk + 1 < end && brk[1] == '\n') ? brk + 2 : brk + 1;
    };
    const char* p = begin;
#ifdef __SSE2__
    // Sixteen bytes at a time: a million short lines are found in a few milliseconds.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        unsigned breaks = unsigned(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        while (breaks != 0) {
            const char* brk = p + __builtin_ctz(breaks);
            breaks &= breaks - 1;
            if (brk >= lineStart) // else the LF of a CR LF already passed
                pass(brk);
        }
    }
#endif
    for (p = std::max(p, lineStart); p < end; p = std::max(p + 1, lineStart)) {
        if (*p == '\n' || *p == '\r')
            pass(p);
    }
    if (lineStart < end)
        f(QByteArrayView(lineStart, end - lineStart));
}

} // namespace TitleBytes
