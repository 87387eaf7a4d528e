#include "Session.h"

void Session::logOn(const OnDuty &cashier)
{
    m_onDuty = cashier;
    emit loggedOnChanged(true);
}

void Session::logOff()
{
    m_onDuty.record = 0;
    emit loggedOnChanged(false);
}

void Session::foundAt(int record)
{
    if (isLoggedOn())
        m_onDuty.record = record;
}

void Session::renamed(const QString &name, const QString &pin)
{
    m_onDuty.name = name;
    m_onDuty.pin = pin;
}
