#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "datafile/HeaderRecords.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

namespace {

enum class Mode { NoFile, Locked, LoggedOn, LoggedOnNoTax, LoggedOff };

// Every command and control of the main window, and when it works.
enum class When { Always, FileOpen, Locked, LoggedOn, Taxed };

const QList<QPair<QString, When>> &table()
{
    static const QList<QPair<QString, When>> rows = {
        {"mnuFile", When::Always},
        {"mnuNew", When::Always},
        {"mnuOpen", When::Always},
        {"mnuQuit", When::Always},
        {"mnuHelp", When::Always},
        {"mnuitmAbout", When::Always},
        {"mnuitmCaption", When::Always},
        {"mnuitmEmail", When::Always},
        {"mnuCashier", When::FileOpen},
        {"mnuitmLogOn", When::Locked},
        {"mnuitmLogOff", When::LoggedOn},
        {"mnuitmConverter", When::LoggedOn},
        {"mnuManage", When::LoggedOn},
        {"mnuTax", When::LoggedOn},
        {"mnuCredit", When::LoggedOn},
        {"mnuitmCurrency", When::LoggedOn},
        {"mnuItems", When::LoggedOn},
        {"mnuitmPrint", When::LoggedOn},
        {"mnuitmPrintSetup", When::LoggedOn},
        {"mnuitmTestBill", When::LoggedOn},
        {"mnuitmDrawerSetup", When::LoggedOn},
        {"mnuitmNoSale", When::LoggedOn},
        {"mnuitmSave", When::LoggedOn},
        {"mnuitmLogSetup", When::LoggedOn},
        {"mnuitmCashierSalesComplete", When::LoggedOn},
        {"mnuitmLoggedOnTime", When::LoggedOn},
        {"mnuitmCashierMoney", When::LoggedOn},
        {"mnuitmVisit", When::LoggedOn},
        {"mnuResetItem", When::LoggedOn},
        {"mnuitmCashierSettings", When::LoggedOn},
        {"mnuPref", When::LoggedOn},
        {"mnuReport", When::LoggedOn},
        {"mnuitmCashierReport", When::LoggedOn},
        {"mnuitmCreditReport", When::LoggedOn},
        {"mnuitmItemReport", When::LoggedOn},
        {"Command1", When::LoggedOn},
        {"Command2", When::LoggedOn},
        {"Command3", When::LoggedOn},
        {"Command4", When::LoggedOn},
        {"Command5", When::Taxed},
        {"Command6", When::LoggedOn},
        {"List1", When::LoggedOn},
        {"Text2", When::LoggedOn},
        {"Combo1", When::LoggedOn},
    };
    return rows;
}

bool expected(When when, Mode mode)
{
    const bool file = mode != Mode::NoFile;
    const bool on = mode == Mode::LoggedOn || mode == Mode::LoggedOnNoTax;
    switch (when) {
    case When::Always:
        return true;
    case When::FileOpen:
        return file;
    case When::Locked:
        return file && !on;
    case When::LoggedOn:
        return on;
    case When::Taxed:
        break;
    }
    return mode == Mode::LoggedOn;
}

// The names of everything in the window a user can choose or type into.
QStringList controlsOf(const QWidget *window)
{
    QStringList names;
    for (const QAction *a : window->findChildren<QAction *>())
        if (!a->isSeparator() && !a->objectName().isEmpty())
            names << a->objectName();
    for (const QMenu *m : window->findChildren<QMenu *>())
        names << m->objectName();
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const bool interactive =
            qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w)
            || qobject_cast<const QComboBox *>(w) || qobject_cast<const QListWidget *>(w);
        // The combo box's own line edit goes with the combo box.
        if (interactive && !w->objectName().isEmpty() && !qobject_cast<QComboBox *>(w->parent()))
            names << w->objectName();
    }
    // Qt's own parts of the menu bar are not ours.
    names.removeIf(
        [](const QString &n) { return n.isEmpty() || n.startsWith(QLatin1String("qt_")); });
    names.removeDuplicates();
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Mode)

class EnabledStateTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlInEveryMode_data();
    void everyControlInEveryMode();
};

void EnabledStateTest::everyControlInEveryMode_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::newRow("no datafile") << Mode::NoFile;
    QTest::newRow("locked") << Mode::Locked;
    QTest::newRow("logged on") << Mode::LoggedOn;
    QTest::newRow("logged on, no tax") << Mode::LoggedOnNoTax;
    QTest::newRow("logged off again") << Mode::LoggedOff;
}

void EnabledStateTest::everyControlInEveryMode()
{
    QFETCH(Mode, mode);
    World world;
    Harness &h = world.h;
    if (mode == Mode::LoggedOnNoTax)
        TestData::setHeader(world.path, HeaderRecord::NoTax, FieldValue::fromInt16(1));
    if (mode == Mode::NoFile)
        h.start();
    else if (mode == Mode::Locked)
        world.start();
    else
        world.startLoggedOn();
    if (mode == Mode::LoggedOff)
        QVERIFY(h.trigger(QStringLiteral("mnuitmLogOff")));

    QStringList known;
    for (const auto &[name, when] : table()) {
        known << name;
        QVERIFY2(h.isEnabled(name) == expected(when, mode), qPrintable(name));
    }
    known.sort();
    // A control added to the window must be added to the table too.
    const QStringList found = controlsOf(&h.window());
    QVERIFY2(found == known, qPrintable(found.join(QLatin1Char(' '))));
}

TB_TEST(EnabledStateTest)
#include "EnabledStateTest.moc"
