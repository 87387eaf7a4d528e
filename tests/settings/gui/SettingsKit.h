#pragma once

// Steps shared by the settings tests.

#include "common/Results.h"
#include "gui/Drive.h"
#include "gui/Harness.h"
#include "gui/TestData.h"

#include "datafile/OleDate.h"
#include "datafile/RecordStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace SettingsKit {

inline DataRecord read(const QString &path, int n)
{
    DataRecord r;
    if (take(RecordStore(path).readRecord(n), r) != FileError::None)
        QTest::qFail("the record could not be read", __FILE__, __LINE__);
    return r;
}

inline void write(const QString &path, int n, const DataRecord &r)
{
    QCOMPARE(RecordStore(path).writeRecord(n, r), FileError::None);
}

// The short date as the windows show it.
inline QString dateText(const QDate &date)
{
    return FieldValue::fromDate(OleDate::fromDate(date)).toText();
}

// Clicks an option button on its round mark, where a user aims.
inline void select(QWidget *root, const char *option)
{
    auto *button = root->findChild<QAbstractButton *>(option);
    QVERIFY2(button, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QVERIFY2(button->isChecked(), option);
}

// Starts the program on a datafile of the test's own and logs a cashier on;
// the log-on box is cleared from the record. (Tests that can use the shared
// shop start from World.)
inline void startLoggedOn(Harness &h, const QString &path,
                          const QString &privileges = Privileges::master().toString())
{
    TestData::append(path, {TestData::cashier("ANN", "1234", privileges)});
    h.start(path);
    QVERIFY(h.logOn("ANN", "1234"));
    h.dialogs.clear();
}

// Notes every dialog that appears and closes it again, so that a command
// that should have stopped before its window cannot hang the test.
class DialogCatcher : public QObject
{
public:
    DialogCatcher() { qApp->installEventFilter(this); }
    ~DialogCatcher() override { qApp->removeEventFilter(this); }
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            shown << dialog->objectName();
            QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Rejected); });
        }
        return false;
    }
};
} // namespace SettingsKit
