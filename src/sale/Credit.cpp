#include "Credit.h"

#include "PaymentFlow.h"
#include "Purchase.h"
#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/UpdateList.h"
#include "ui/WindowSetup.h"
#include "ui_Credit.h"

#include <QFocusEvent>
#include <QLineEdit>

using namespace Purchase;

Credit::Credit(AppContext &ctx, const ShownBill &bill, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_bill(bill), ui(std::make_unique<Ui::Credit>())
{
    ui->setupUi(this);
    ui->Label3->setText(MoneyText::formatCurrency(bill.grandTotal));
    ui->Combo1->setCompleter(nullptr);
    ui->Combo1->setInsertPolicy(QComboBox::NoInsert);
    EntryBox::upperCase(ui->Combo1->lineEdit());
    EntryBox::selectAllOnFocus(ui->Combo1);
    status(QStringLiteral("Opening Credit Database"), true);
    UpdateList(ui->Combo1, false, ctx);
    ui->Combo1->setEditText(QString());
    status(QStringLiteral("Ready"), false);

    ui->Combo1->installEventFilter(this);
    connect(ui->Command1, &QPushButton::clicked, this, &Credit::complete);
    ui->Combo1->setFocus();
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

Credit::~Credit() = default;

void Credit::status(const QString &text, bool busy)
{
    if (m_ctx.mainWindow)
        m_ctx.mainWindow->ShowStatus(text, busy ? MainWindowAccess::Lamp::Busy
                                                : MainWindowAccess::Lamp::Ready);
}

bool Credit::eventFilter(QObject *watched, QEvent *event)
{
    // Dropping the list down does not leave the box.
    if (watched == ui->Combo1 && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        customerLeft();
    return QDialog::eventFilter(watched, event);
}

void Credit::customerLeft()
{
    const QString name = ui->Combo1->currentText();
    status(QStringLiteral("Searching Database for Customer"), true);
    const Result<CustomerPlace> place = findCustomer(m_ctx.DataFilePath, name);
    status(QStringLiteral("Ready"), false);
    if (!place) {
        m_ctx.dialogs->ioError(this, errorNumber(place.error()));
        return;
    }
    m_lookedUp = name;
    m_lookedUpRecord = place->account ? place->record : 0;
    if (place->account)
        ui->Text1->setPlainText(place->account->notes());
}

void Credit::complete()
{
    // Enter on the default button leaves no box: the customer named now is
    // the one who pays, and their comments are the ones kept.
    if (ui->Combo1->currentText() != m_lookedUp)
        customerLeft();
    const QString customer = ui->Combo1->currentText();
    if (customer.trimmed().isEmpty()) {
        m_ctx.dialogs->critical(this, QStringLiteral("Input Error"),
                                QStringLiteral("Please ensure that the 'Customer Name / Number' "
                                               "box contains valid input."));
        ui->Combo1->setFocus();
        return;
    }
    const Payment payment{CreditPayment{customer, ui->Text1->toPlainText(), m_lookedUpRecord},
                          ui->Text2->toPlainText()};
    if (completePurchase(m_ctx, this, m_bill, payment))
        accept();
}
