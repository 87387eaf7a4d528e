#include "SetTax.h"

#include "SettingsErrors.h"
#include "datafile/ShopFile.h"
#include "datafile/TaxSettings.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_SetTax.h"

SetTax::SetTax(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::SetTax>())
{
    ui->setupUi(this);
    EntryBox::selectAllOnFocus(ui->Text1);
    EntryBox::selectAllOnFocus(ui->Text2);
    EntryBox::keypadDecimalPoint(ui->Text1);
    EntryBox::keypadDecimalPoint(ui->Text2);
    // The second rate comes and goes without moving the other controls.
    for (QWidget *w : {static_cast<QWidget *>(ui->Text2), static_cast<QWidget *>(ui->Label3)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    connect(ui->Option1, &QRadioButton::toggled, this, &SetTax::showSecondRate);
    connect(ui->Check1, &QCheckBox::toggled, this, &SetTax::applyNoTax);
    connect(ui->Command1, &QPushButton::clicked, this, &SetTax::storeRates);
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

SetTax::~SetTax() = default;

bool SetTax::load()
{
    const Result<TaxSettings> read = ShopFile(m_ctx.DataFilePath).taxSettings();
    if (!read) {
        SettingsErrors::critical(m_ctx, parentWidget(), QStringLiteral("mnuTax"),
                                 QStringLiteral("Interface"), read.error());
        return false;
    }
    const TaxSettings &tax = *read;
    ui->Option1->setChecked(true);
    showSecondRate();
    ui->Text1->setText(TaxRate::toTyped(tax.rate1));
    ui->Text2->setText(TaxRate::toTyped(tax.rate2));
    if (!tax.rate2.isEmpty())
        ui->Option2->setChecked(true);
    ui->Check1->setChecked(tax.noTax);
    applyNoTax(tax.noTax);
    return true;
}

void SetTax::showSecondRate()
{
    const bool two = ui->Option2->isChecked();
    if (two && ui->Text2->text().isEmpty())
        ui->Text2->setText(QStringLiteral("0"));
    ui->Text2->setVisible(two);
    ui->Label3->setVisible(two);
}

void SetTax::applyNoTax(bool noTax)
{
    for (QWidget *w : {static_cast<QWidget *>(ui->Option1), static_cast<QWidget *>(ui->Option2),
                       static_cast<QWidget *>(ui->Text1), static_cast<QWidget *>(ui->Text2)})
        w->setEnabled(!noTax);
}

void SetTax::storeRates()
{
    if (ui->Text2->text().isEmpty())
        ui->Text2->setText(QStringLiteral("0"));
    const bool two = ui->Option2->isChecked();
    // With one tax the second box is hidden and its text is not stored, so
    // it is not held against the user.
    const std::optional<QString> rate1 = TaxRate::toStored(ui->Text1->text());
    const std::optional<QString> rate2 = two ? TaxRate::toStored(ui->Text2->text()) : QString();
    if (!rate1 || !rate2) {
        m_ctx.dialogs->critical(this, QStringLiteral("Invalid Input"),
                                QStringLiteral("Please ensure that you have entered a valid tax "
                                               "rate."));
        return;
    }

    // What the user typed is held to the datafile's characters, even where
    // the stored number leaves them out.
    TaxSettings typed;
    typed.rate1 = ui->Text1->text();
    typed.rate2 = two ? ui->Text2->text() : QString();
    if (const std::optional<QChar> refused = typed.unstorableCharacter()) {
        m_ctx.dialogs->unstorableCharacter(this, *refused);
        return;
    }

    TaxSettings tax;
    tax.rate1 = *rate1;
    tax.rate2 = *rate2;
    tax.noTax = ui->Check1->isChecked();
    const FileError error = ShopFile(m_ctx.DataFilePath).setTaxSettings(tax);
    if (error == FileError::BadRecordLength) {
        m_ctx.dialogs->recordTooLong(this);
        return;
    }
    if (error == FileError::UnencodableText) {
        m_ctx.dialogs->unstorableCharacter(this, tax.unstorableCharacter().value_or(QChar()));
        return;
    }
    if (error != FileError::None) {
        SettingsErrors::critical(m_ctx, this, QStringLiteral("Command1_Click"),
                                 QStringLiteral("SetTax"), error);
        return;
    }
    accept();
}

bool SetTax::noTaxShown() const
{
    return ui->Check1->isChecked();
}
