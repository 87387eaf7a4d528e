#include "Discount.h"

#include "Bill.h"
#include "datafile/MoneyText.h"
#include "datafile/ShopFile.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_Discount.h"

Discount::Discount(AppContext &ctx, Bill &bill, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_bill(bill), ui(std::make_unique<Ui::Discount>())
{
    ui->setupUi(this);
    EntryBox::selectAllOnFocus(ui->Text1);
    EntryBox::keypadDecimalPoint(ui->Text1);
    // The "%" comes and goes without moving the other controls.
    QSizePolicy policy = ui->Label1->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    ui->Label1->setSizePolicy(policy);
    ui->Option1->setChecked(true);
    ui->Option3->setChecked(true);
    showPercentage(true);
    connect(ui->Option3, &QRadioButton::toggled, this, &Discount::showPercentage);
    connect(ui->Check1, &QCheckBox::toggled, this, [this](bool taxFree) {
        for (QWidget *w : {static_cast<QWidget *>(ui->Frame1), static_cast<QWidget *>(ui->Frame2),
                           static_cast<QWidget *>(ui->Text1)})
            w->setEnabled(!taxFree);
    });
    connect(ui->Text1, &QLineEdit::editingFinished, this, [this] {
        if (!ui->Option4->isChecked())
            return;
        if (const auto amount = MoneyText::parseCurrency(ui->Text1->text()))
            ui->Text1->setText(MoneyText::formatCurrency(*amount));
    });
    connect(ui->Command2, &QPushButton::clicked, this, &Discount::applyDiscount);

    // Without taxes there are none to take off.
    const Result<TaxSettings> tax = ShopFile(ctx.DataFilePath).taxSettings();
    ui->Check1->setEnabled(!tax || !tax->noTax);
    ui->Text1->setFocus();
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

Discount::~Discount() = default;

void Discount::showPercentage(bool percentage)
{
    ui->Label1->setVisible(percentage);
    ui->Text1->setText(percentage ? QStringLiteral("0") : MoneyText::formatCurrency(Currency()));
}

void Discount::fileError(int number)
{
    m_ctx.dialogs->ioError(this, number);
}

void Discount::applyDiscount()
{
    using Refusal = Bill::Refusal;
    const auto notCalculated = [this] {
        m_ctx.dialogs->critical(
            this, QStringLiteral("Grand Total not Calculated"),
            QStringLiteral("The grand total must be calculated before a discount on the grand "
                           "total can be computated.  Please press the tax button to calculate "
                           "the grand total."));
        reject();
    };

    if (ui->Check1->isChecked()) {
        if (!m_bill.grandTotal()) {
            notCalculated();
            return;
        }
        const Result<TaxSettings> tax = ShopFile(m_ctx.DataFilePath).taxSettings();
        if (!tax) {
            fileError(errorNumber(tax.error()));
            return;
        }
        const Refusal refusal = m_bill.taxFree(tax->firstRate(), tax->secondRate());
        if (refusal == Refusal::TaxFreeTwice) {
            m_ctx.dialogs->message(this, Dialogs::Icon::None, QStringLiteral("Tax Free"),
                                   QStringLiteral("The tax can only be removed from the grand "
                                                  "total once."),
                                   Dialogs::Buttons::Ok);
            return;
        }
        if (refusal == Refusal::TooLarge) {
            tooLarge();
            return;
        }
        accept();
        return;
    }

    const QString text = ui->Text1->text();
    const std::optional<double> value = MoneyText::parseNumber(text);
    if (!value) {
        m_ctx.dialogs->critical(this, QStringLiteral("Invalid Entry"),
                                QStringLiteral("Please ensure that you have entered a valid "
                                               "discount rate."));
        return;
    }
    const bool percentage = ui->Option3->isChecked();
    // An amount past what the datafile holds would be read as the largest one.
    if (!percentage && !Currency::fromDoubleInRange(*value)) {
        tooLarge();
        return;
    }
    const Currency amount = MoneyText::parseCurrency(text).value_or(Currency());
    Refusal refusal = Refusal::None;
    if (ui->Option1->isChecked()) {
        refusal = percentage ? m_bill.subtotalDiscountPercent(*value)
                             : m_bill.subtotalDiscountAmount(amount);
    } else {
        refusal = percentage ? m_bill.grandTotalDiscountPercent(*value)
                             : m_bill.grandTotalDiscountAmount(amount);
    }
    if (refusal == Refusal::GrandTotalNotCalculated) {
        notCalculated();
        return;
    }
    if (refusal == Refusal::TooManyGrandTotalDiscounts) {
        m_ctx.dialogs->critical(this, QStringLiteral("Too Many Grand Total Discounts"),
                                QStringLiteral("Only one Grand Total Discount may be applied to a "
                                               "bill. To change the discount, please choose it on "
                                               "the list, and push the \"Remove Item\" button."));
        reject();
        return;
    }
    if (refusal == Refusal::TooLarge) {
        tooLarge();
        return;
    }
    accept();
}

void Discount::tooLarge()
{
    m_ctx.dialogs->critical(this, QStringLiteral("Invalid Entry"), Bill::tooLargeText());
}
