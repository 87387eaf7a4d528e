#pragma once

#include "ui/Clock.h"

// A clock that moves only when the test moves it.
class ManualClock : public Clock
{
public:
    QDateTime current = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    qint64 tickCount = 1'000'000;

    QDateTime now() const override { return current; }
    qint64 ticks() const override { return tickCount; }
    void advance(qint64 ms)
    {
        current = current.addMSecs(ms);
        tickCount += ms;
    }
};
