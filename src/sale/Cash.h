#pragma once

#include "Purchase.h"

#include <QDialog>

#include <memory>
#include <optional>

struct AppContext;

namespace Ui {
class Cash;
}

// Payment in cash, in the native currency or one foreign currency chosen
// once per payment.
class Cash : public QDialog
{
    Q_OBJECT

public:
    Cash(AppContext &ctx, const ShownBill &bill, QWidget *parent);
    ~Cash() override;

    // "&Complete Purchase".
    void complete();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moneyGivenTyped();
    void moneyGivenLeft();
    // The currency in the box becomes the payment's, once.
    void currencyLeft();
    const Purchase::Foreign *foreign() const { return m_foreign ? &*m_foreign : nullptr; }

    AppContext &m_ctx;
    ShownBill m_bill;
    QList<Purchase::Foreign> m_offered;
    std::optional<Purchase::Foreign> m_foreign;
    Currency m_due; // in the payment's currency
    std::unique_ptr<Ui::Cash> ui;
};
