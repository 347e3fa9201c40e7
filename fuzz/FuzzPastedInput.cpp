// The pasted-input grammar over any text.
#include "FuzzInput.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/PastedInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(bytesOf(data, size));
    const PastedInput::Parsed parsed = PastedInput::parse(PastedInput::inputLines(text));
    if (parsed.ok()) {
        static const DateFormat dates(QStringLiteral("yyyy-M-d"));
        const TallyResult r = PastedInput::report(
            parsed.rows, dates, Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime())));
        if (r.names.size() != parsed.rows.size())
            __builtin_trap();
    }
    return 0;
}
