#pragma once

#include "browse/BrowserFrame.h"

#include <memory>

namespace Ui {
class Cashier;
}
class QCheckBox;

// "Cashier Settings": browse, create, change, search and delete cashiers.
class Cashier : public BrowserFrame
{
    Q_OBJECT

public:
    explicit Cashier(AppContext &ctx, QWidget *parent = nullptr);
    ~Cashier() override;

    // The record the form stands for, and whether it is the blank record
    // past the last cashier, where a save appends.
    int ShownRecord() const { return walk().CurrentRecord; }
    bool NewCashierMode() const { return walk().AtEnd; }

    QList<QCheckBox *> privilegeBoxes() const;

    // A save over the cashier on duty also changes the name and PIN this run
    // knows them by.
    bool save() override;

protected:
    void done(int result) override;

private:
    BrowserSettings settings();
    BoxBinding boxes() const;
    bool masterCheckAllowsClose();
    // True when the boxes show the cashier on duty with a time other than the stored one.
    bool ownTimeEdited(const Form &form) const;

    std::unique_ptr<Ui::Cashier> ui;
};
