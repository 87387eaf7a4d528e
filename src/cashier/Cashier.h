#pragma once

#include "datafile/DataRecord.h"

#include <QDialog>

#include <memory>

namespace Ui {
class Cashier;
}
struct AppContext;
class CheckedBox;
class QCheckBox;
class QMenuBar;

// "Cashier Settings": browse, create, change, search and delete cashiers.
class Cashier : public QDialog
{
    Q_OBJECT

public:
    explicit Cashier(AppContext &ctx, QWidget *parent = nullptr);
    ~Cashier() override;

    // False when the window could not open (a full datafile without cashiers).
    bool loadedOk() const { return m_loadedOk; }

    int ShownRecord = FirstEntryRecord;
    bool NewCashierMode = false;

    void Next();     // Image1, F6
    void Previous(); // Image2, F5
    void Save();     // Command1, F7
    void Delete();   // mnuDelete, F8
    void Search();   // mnuSearch, F9

    QList<QCheckBox *> privilegeBoxes() const;

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    // Next without the status texts; false when nothing new is shown.
    bool stepForward();
    void showCashier(int record, const DataRecord &data);
    void showBlank(int record);
    bool masterCheckAllowsClose();
    void status(const QString &text);
    void ready();
    void critical(const QString &title, const QString &text);
    void databaseFull();
    void setupChecks();

    AppContext &m_ctx;
    std::unique_ptr<Ui::Cashier> ui;
    QMenuBar *m_menu;
    CheckedBox *m_timeBox = nullptr;
    bool m_loadedOk = true;
};
