#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class SetTax;
}
struct AppContext;

// "Set Tax": one or two tax rates, or no tax at all.
class SetTax : public QDialog
{
    Q_OBJECT

public:
    explicit SetTax(AppContext &ctx, QWidget *parent = nullptr);
    ~SetTax() override;

    // Shows the stored rates; false, after telling the user, when the
    // datafile cannot be read.
    bool load();
    // "&OK": checks and stores the rates, then closes.
    void storeRates();

    // However the window closes, the main window's "&Tax" button follows the
    // no-tax box as it stands then.
    bool noTaxShown() const;

private:
    void showSecondRate();
    void applyNoTax(bool noTax);

    AppContext &m_ctx;
    std::unique_ptr<Ui::SetTax> ui;
};
