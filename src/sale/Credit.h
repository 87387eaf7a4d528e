#pragma once

#include "ShownBill.h"

#include <QDialog>

#include <memory>

struct AppContext;

namespace Ui {
class Credit;
}

// Payment on a customer's credit account; a customer not yet in the
// datafile gets an account on the spot.
class Credit : public QDialog
{
    Q_OBJECT

public:
    Credit(AppContext &ctx, const ShownBill &bill, QWidget *parent);
    ~Credit() override;

    // "&Complete Purchase".
    void complete();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Looks the customer in the box up and shows the account's comments.
    void customerLeft();
    void status(const QString &text, bool busy);

    AppContext &m_ctx;
    ShownBill m_bill;
    QString m_lookedUp;       // the customer whose comments are shown
    int m_lookedUpRecord = 0; // where their account is, 0: none
    std::unique_ptr<Ui::Credit> ui;
};
