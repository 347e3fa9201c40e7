#pragma once

#include <QDateTime>
#include <functional>

// The program's source of "now". The default reads the system clock; tests
// hand in a fixed time so that date lines and report times are predictable.
class Clock
{
public:
    using Source = std::function<QDateTime()>;

    Clock();
    explicit Clock(Source source);

    // A clock that always answers the given local time.
    static Clock fixed(const QDateTime& time);

    QDateTime now() const;
    QDate today() const { return now().date(); }

private:
    Source m_source;
};
