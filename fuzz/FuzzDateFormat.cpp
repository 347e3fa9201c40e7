// The date parser against any pattern and any text: the first line of the
// input is the pattern, the rest the text.
#include "FuzzInput.h"
#include "platform/DateFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(bytesOf(data, size));
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const DateFormat format(cut < 0 ? input : input.left(cut));
    const QString text = cut < 0 ? QString() : input.mid(cut + 1);
    QDate date;
    // A date the format accepts is a valid date.
    if (format.parse(text, &date) && !date.isValid())
        __builtin_trap();
    return 0;
}
