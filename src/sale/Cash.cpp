#include "Cash.h"

#include "PaymentFlow.h"
#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_Cash.h"

#include <QFocusEvent>

using namespace Purchase;

Cash::Cash(AppContext &ctx, const ShownBill &bill, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_bill(bill), ui(std::make_unique<Ui::Cash>())
{
    ui->setupUi(this);
    EntryBox::selectAllOnFocus(ui->txtChange);
    EntryBox::keypadDecimalPoint(ui->txtChange);
    m_due = bill.grandTotal;
    ui->Label3->setText(MoneyText::formatCurrency(bill.grandTotal));

    ui->Combo1->addItem(QStringLiteral("Native Currency"));
    const Result<QList<Slot>> stored = readCurrencySlots(ctx.DataFilePath);
    if (stored) {
        m_offered = offeredCurrencies(*stored);
        for (const Foreign &f : m_offered)
            ui->Combo1->addItem(f.entry);
    } else {
        ctx.dialogs->ioError(parent, errorNumber(stored.error()));
    }
    ui->Combo1->setEnabled(ctx.session.onDuty().privileges.has(Privilege::ChargeCurrency));
    ui->Combo1->installEventFilter(this);
    ui->txtChange->installEventFilter(this);

    connect(ui->txtChange, &QLineEdit::textEdited, this, &Cash::moneyGivenTyped);
    connect(ui->Command1, &QPushButton::clicked, this, &Cash::complete);
    ui->txtChange->setFocus();
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

Cash::~Cash() = default;

bool Cash::eventFilter(QObject *watched, QEvent *event)
{
    // Dropping the list down does not leave the box.
    if (event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == ui->Combo1)
            currencyLeft();
        else if (watched == ui->txtChange)
            moneyGivenLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void Cash::moneyGivenTyped()
{
    // No message while typing: it would take the next keys. Completion
    // refuses what is still no number.
    ui->Label5->setText(changeFor(ui->txtChange->text(), m_due, foreign()).change);
}

void Cash::moneyGivenLeft()
{
    const QString left = moneyGivenOnLeaving(ui->txtChange->text(), foreign());
    if (left != ui->txtChange->text())
        ui->txtChange->setText(left);
}

void Cash::currencyLeft()
{
    if (m_foreign || ui->Combo1->currentIndex() <= 0)
        return;
    m_foreign = currencyForEntry(m_offered, ui->Combo1->currentText());
    if (!m_foreign)
        return;
    m_due = convert(m_due, *m_foreign);
    ui->Label3->setText(foreignText(*m_foreign, m_due));
    // Money already typed was native money: it is given in the new currency too.
    const QString given = ui->txtChange->text();
    if (const std::optional<Currency> native = MoneyText::parseCurrency(given)) {
        ui->txtChange->setText(foreignText(*m_foreign, convert(*native, *m_foreign)));
        moneyGivenTyped();
    }
    ui->Combo1->setEnabled(false);
}

void Cash::complete()
{
    // A currency picked but not yet left counts as chosen.
    currencyLeft();
    moneyGivenLeft();
    const QString given = ui->txtChange->text();
    if (!moneyGivenIsValid(given, foreign())) {
        m_ctx.dialogs->critical(this, QStringLiteral("Input not Numerical"),
                                QStringLiteral("Please ensure that the 'Money Given' box contains "
                                               "valid input."));
        return;
    }
    const Payment payment{CashPayment{given, m_foreign}, ui->Text1->toPlainText()};
    if (completePurchase(m_ctx, this, m_bill, payment))
        accept();
}
