#pragma once

#include "datafile/Privileges.h"

#include <QObject>
#include <QString>

// The cashier on duty, the one writer of that state: log on and log off go
// through here, and the main window follows `loggedOnChanged`.
class Session : public QObject
{
    Q_OBJECT
public:
    // As this program last stored them: a write checks the record against
    // the name and PIN, since a delete moves later records down.
    struct OnDuty {
        int record = 0; // 0: nobody
        QString name;
        QString pin;
        Privileges privileges;
        qint64 since = 0; // the clock's ticks at log on
    };

    bool isLoggedOn() const { return m_onDuty.record != 0; }
    const OnDuty &onDuty() const { return m_onDuty; }

    void logOn(const OnDuty &cashier);
    // Name and privileges stay: nothing reads them while the terminal is locked.
    void logOff();
    // Where their record is now, after a delete moved it.
    void foundAt(int record);
    // Their name and PIN as just saved in the cashier window.
    void renamed(const QString &name, const QString &pin);

signals:
    void loggedOnChanged(bool loggedOn);

private:
    OnDuty m_onDuty;
};
