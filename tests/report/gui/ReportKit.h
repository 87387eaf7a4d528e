#pragma once

#include "common/ExpectedFile.h"
#include "common/TempDir.h"
#include "gui/Drive.h"
#include "gui/ScriptedDialogs.h"
#include "report/ReportRecords.h"

#include "report/ReportBuild.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// A shop's datafile and the steps a user takes in a report builder.
namespace ReportKit {

inline QString shopDatafile(const TempDir &dir)
{
    using namespace ReportRecords;
    return datafile(
        dir.path(QStringLiteral("shop.tb2")),
        {item(QStringLiteral("BOLT"), 5, 7, 10), customer(QStringLiteral("SMITH"), -12.5, 3, 40),
         item(QStringLiteral("NUT"), 5, 7, 10), cashier(QStringLiteral("ANN"), 250, 12, 5400000),
         item(QStringLiteral("HINGE"), 12.5, 9, 15), customer(QStringLiteral("JONES"), 20, 8, 40),
         item(QStringLiteral("WASHER"), 0.1, 0, 10), cashier(QStringLiteral("BOB"), 80, 4, 2710005),
         item(QStringLiteral("T-SHIRT"), 15, 3, 5), customer(QStringLiteral("BROWN"), 0, 1, 5),
         item(QStringLiteral("CAFÉ MUG"), 4.5, 7, 12), cashier(QStringLiteral("CAROL"), 0, 0, 0)});
}

inline QString caption(QWidget *w, const char *name)
{
    if (auto *label = w->findChild<QLabel *>(name))
        return label->text();
    return w->findChild<QAbstractButton *>(name)->text();
}

inline QLineEdit *valueBox(QWidget *w)
{
    return w->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

// Runs the click handlers and the moves of the focus that follow them.
inline void settle()
{
    QCoreApplication::processEvents();
}

// Option buttons are clicked on their circle: a short caption leaves the
// middle of a wide button outside the part that takes clicks.
inline void click(QWidget *w, const char *name)
{
    auto *button = w->findChild<QAbstractButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    if (qobject_cast<QRadioButton *>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
    settle();
}

// Keys a value into the value box and presses Tab, as the window asks.
inline void enterValue(QWidget *w, const QString &text)
{
    QApplication::setActiveWindow(w->window());
    QLineEdit *box = valueBox(w);
    box->setFocus(Qt::MouseFocusReason);
    settle();
    Drive::type(w, QStringLiteral("Text1"), text);
    QTest::keyClick(box, Qt::Key_Tab);
    settle();
}

// One whole query: property, mode, comparison, value.
inline void buildQuery(QWidget *w, const char *property, const char *mode, const char *comparison,
                       const QString &value)
{
    click(w, property);
    click(w, mode);
    click(w, comparison);
    enterValue(w, value);
}

inline const QDateTime SavedAt(QDate(2024, 3, 15), QTime(14, 5, 9));

} // namespace ReportKit
