#include "Clock.h"

Clock::Clock() : m_source([] { return QDateTime::currentDateTime(); }) {}

Clock::Clock(Source source) : m_source(std::move(source)) {}

Clock Clock::fixed(const QDateTime& time)
{
    return Clock([time] { return time; });
}

QDateTime Clock::now() const
{
    return m_source();
}
