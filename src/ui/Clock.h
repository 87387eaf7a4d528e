#pragma once

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>

// "Today", "now" and the millisecond tick count, from one replaceable source
// so that tests can let hours pass or cross midnight.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual qint64 ticks() const = 0; // milliseconds, only differences count
    QDate today() const { return now().date(); }
};

class SystemClock : public Clock
{
public:
    SystemClock() { m_timer.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 ticks() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};
