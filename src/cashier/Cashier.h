#pragma once

#include "browse/BrowserWalk.h"
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

    // The record the form stands for, and whether it is the blank record
    // past the last cashier, where a save appends.
    int ShownRecord() const { return m_walk.CurrentRecord; }
    bool NewCashierMode() const { return m_walk.AtEnd; }

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
    // Shows a walk's record, blank form or message.
    void display(const Result<BrowserWalk::Step> &result);
    bool masterCheckAllowsClose();
    void status(const QString &text);
    void ready();
    void critical(const QString &title, const QString &text);
    void setupChecks();
    // False, with the message shown, when the time of the cashier on duty was edited.
    bool timeChangeAllowed();

    AppContext &m_ctx;
    std::unique_ptr<Ui::Cashier> ui;
    QMenuBar *m_menu;
    CheckedBox *m_timeBox = nullptr;
    BrowserWalk m_walk;
    QString m_shownTime; // the time on duty of the record shown
    bool m_loadedOk = true;
};
