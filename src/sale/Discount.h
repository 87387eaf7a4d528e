#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class Discount;
}
struct AppContext;
class Bill;

// "Discount": a percentage or an amount off the subtotal or the grand total,
// or the taxes off the grand total, each as a line on the bill.
class Discount : public QDialog
{
    Q_OBJECT

public:
    Discount(AppContext &ctx, Bill &bill, QWidget *parent = nullptr);
    ~Discount() override;

    void applyDiscount();

private:
    void showPercentage(bool percentage);
    void fileError(int number);
    void tooLarge();

    AppContext &m_ctx;
    Bill &m_bill;
    std::unique_ptr<Ui::Discount> ui;
};
