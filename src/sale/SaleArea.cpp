#include "SaleArea.h"

#include "Cash.h"
#include "Credit.h"
#include "Discount.h"
#include "ItemProposal.h"
#include "NewItem.h"
#include "ShownBill.h"
#include "cashier/Access.h"
#include "datafile/MoneyText.h"
#include "datafile/ShopFile.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>

SaleArea::SaleArea(AppContext &ctx, const Controls &controls, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_c(controls)
{
    // The item box proposes from its own sorted list, as typed; Qt's
    // completer and its habit of adding typed texts to the list stay out.
    m_c.item->setCompleter(nullptr);
    m_c.item->setInsertPolicy(QComboBox::NoInsert);
    EntryBox::upperCase(m_c.item->lineEdit());
    // The keys reach the combo box, which has the focus; it hands them to its
    // line edit by a direct call that no filter on the line edit would see.
    m_c.item->installEventFilter(this);
    m_c.quantity->installEventFilter(this);
    EntryBox::selectAllOnFocus(m_c.quantity);

    // After each button, and whatever window or message it showed, the
    // cashier types the next item without reaching for the mouse.
    const auto on = [this](QPushButton *button, void (SaleArea::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            (this->*handler)();
            focusItemBox();
        });
    };
    on(m_c.credit, &SaleArea::payOnCredit);
    on(m_c.cash, &SaleArea::payCash);
    on(m_c.removeItem, &SaleArea::removeItem);
    on(m_c.clearBill, &SaleArea::askClearBill);
    on(m_c.tax, &SaleArea::applyTax);
    on(m_c.discount, &SaleArea::applyDiscount);
    showBill();
}

void SaleArea::showBill()
{
    const Bill &bill = m_sale.bill();
    m_c.bill->clear();
    m_c.bill->addItems(bill.texts());
    m_c.bill->setCurrentRow(-1);
    m_c.subtotal->setText(MoneyText::formatCurrency(bill.subtotal()));
    const std::optional<Currency> grand = bill.grandTotal();
    m_c.grandTotal->setText(grand ? MoneyText::formatCurrency(*grand) : QString());
    m_c.grandTotal->setVisible(grand.has_value());
    m_c.grandTotalCaption->setVisible(grand.has_value());
}

void SaleArea::focusItemBox()
{
    if (m_c.item->isEnabled())
        m_c.item->setFocus();
}

void SaleArea::ready()
{
    m_ctx.mainWindow->ShowStatus(QStringLiteral("Ready"), MainWindowAccess::Lamp::Ready);
}

void SaleArea::fileError(FileError error)
{
    m_ctx.dialogs->ioError(m_ctx.mainWindow->widget(), errorNumber(error));
}

bool SaleArea::itemKeyAllowed()
{
    QWidget *window = m_ctx.mainWindow->widget();
    if (m_ctx.DataFilePath.isEmpty()) {
        m_ctx.dialogs->critical(window, QStringLiteral("Datafile Required"),
                                QStringLiteral("Please open or create a datafile."));
        return false;
    }
    const Result<TaxSettings> tax = ShopFile(m_ctx.DataFilePath).taxSettings();
    if (!tax) {
        fileError(tax.error());
        return false;
    }
    // No sale starts before a tax rate is set or taxes are switched off.
    if (tax->firstRate() == 0 && !tax->noTax) {
        m_ctx.dialogs->critical(window, QStringLiteral("Tax Rate Required"),
                                QStringLiteral("Please enter a tax rate."));
        return false;
    }
    return true;
}

bool SaleArea::eventFilter(QObject *watched, QEvent *event)
{
    const bool itemBox = watched == m_c.item;
    if (event->type() == QEvent::KeyRelease && itemBox) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            proposeItem();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    const bool enter = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
    if (watched == m_c.quantity) {
        if (!enter)
            return false;
        RingItem(std::nullopt);
        focusItemBox();
        return true;
    }
    if (!itemBox || (keyEvent->text().isEmpty() && !enter))
        return false;
    if (!itemKeyAllowed())
        return true;
    if (enter) {
        if (!m_c.item->currentText().isEmpty())
            RingItem(std::nullopt);
        focusItemBox();
        return true;
    }
    m_c.quantity->setText(QStringLiteral("1"));
    return false;
}

void SaleArea::proposeItem()
{
    QLineEdit *box = m_c.item->lineEdit();
    // What was typed: the text up to a proposal still selected.
    const QString typed =
        box->hasSelectedText() ? box->text().left(box->selectionStart()) : box->text();
    auto *model = qobject_cast<QStringListModel *>(m_c.item->model());
    if (!model)
        return;
    const QStringList &entries = model->stringList();
    const std::optional<qsizetype> found = proposalFor(entries, typed);
    if (!found)
        return;
    // Drawn once, with the proposal in place.
    m_c.item->setUpdatesEnabled(false);
    const QString &entry = entries.at(*found);
    box->setText(entry);
    box->setSelection(int(typed.size()), int(entry.size() - typed.size()));
    m_c.item->setUpdatesEnabled(true);
}

void SaleArea::RingItem(std::optional<int> record)
{
    MainWindowAccess &main = *m_ctx.mainWindow;
    const QString typed = m_c.item->currentText();
    const QString quantity = m_c.quantity->text();
    Result<Sale::Rung> rung = Sale::Rung::Nothing;
    if (record) {
        rung = m_sale.ringRecord(m_ctx.DataFilePath, *record, quantity);
    } else {
        main.ShowStatus(QStringLiteral("Searching Database for Item"),
                        MainWindowAccess::Lamp::Busy);
        rung = m_sale.ring(m_ctx.DataFilePath, typed, quantity);
    }
    ready();
    if (!rung) {
        fileError(rung.error());
        return;
    }
    switch (*rung) {
    case Sale::Rung::Nothing:
        return;
    case Sale::Rung::InvalidQuantity:
        m_ctx.dialogs->critical(main.widget(), QStringLiteral("Input Error"),
                                QStringLiteral("Please ensure that you have entered valid input "
                                               "in all the boxes."));
        return;
    case Sale::Rung::TooLarge:
        m_ctx.dialogs->critical(main.widget(), QStringLiteral("Input Error"), Bill::tooLargeText());
        return;
    case Sale::Rung::NotFound:
        if (checkAccess(m_ctx, main.widget(), GuardedCommand::RingNewItem))
            newItem(typed);
        return;
    case Sale::Rung::Done:
        break;
    }
    m_c.item->setEditText(QString());
    m_c.quantity->setText(QStringLiteral("1"));
    showBill();
    m_c.bill->scrollToBottom();
}

void SaleArea::newItem(const QString &typed)
{
    NewItem dialog(m_ctx, typed, m_ctx.mainWindow->widget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const int record = dialog.storedRecord()) {
        emit itemStored();
        m_c.item->setEditText(dialog.name());
        RingItem(record);
        return;
    }
    if (!m_sale.bill().billUnstored(dialog.name(), dialog.priceText(), m_c.quantity->text())) {
        m_ctx.dialogs->critical(m_ctx.mainWindow->widget(), QStringLiteral("Input Error"),
                                Bill::tooLargeText());
        return;
    }
    m_c.item->setEditText(QString());
    m_c.quantity->setText(QStringLiteral("1"));
    showBill();
}

void SaleArea::removeItem()
{
    const int row = m_c.bill->currentRow();
    if (row < 0 || !m_c.bill->currentItem()->isSelected()) {
        m_ctx.dialogs->critical(m_ctx.mainWindow->widget(), QStringLiteral("Select an Item"),
                                QStringLiteral("You must select an item to remove by clicking it "
                                               "on the list."));
        return;
    }
    const Result<Sale::Removed> removed = m_sale.remove(m_ctx.DataFilePath, row);
    if (!removed)
        fileError(removed.error());
    showBill();
}

void SaleArea::ClearBill()
{
    if (const FileError error = m_sale.clear(m_ctx.DataFilePath); error != FileError::None)
        fileError(error);
    showBill();
}

void SaleArea::askClearBill()
{
    if (m_ctx.dialogs->askYesNo(m_ctx.mainWindow->widget(), QStringLiteral("Cancel Purchase"),
                                QStringLiteral("Are you sure you wish to cancel the entire "
                                               "purchase?")))
        ClearBill();
}

void SaleArea::resetBill()
{
    m_sale.bill().reset();
    showBill();
}

void SaleArea::applyTax()
{
    const Result<TaxSettings> tax = ShopFile(m_ctx.DataFilePath).taxSettings();
    if (!tax) {
        fileError(tax.error());
        return;
    }
    if (m_sale.bill().applyTax(tax->firstRate(), tax->secondRate()) == Bill::Refusal::TooLarge)
        m_ctx.dialogs->critical(m_ctx.mainWindow->widget(), QStringLiteral("Input Error"),
                                Bill::tooLargeText());
    showBill();
}

void SaleArea::applyDiscount()
{
    QWidget *window = m_ctx.mainWindow->widget();
    if (checkAccess(m_ctx, window, GuardedCommand::PlaceDiscount)) {
        Discount dialog(m_ctx, m_sale.bill(), window);
        dialog.exec();
        showBill();
    }
}

void SaleArea::payOnCredit()
{
    pay(PaymentWindow::Credit);
}

void SaleArea::payCash()
{
    pay(PaymentWindow::Cash);
}

void SaleArea::pay(PaymentWindow payment)
{
    QWidget *window = m_ctx.mainWindow->widget();
    Bill &bill = m_sale.bill();
    const Result<TaxSettings> tax = ShopFile(m_ctx.DataFilePath).taxSettings();
    if (!tax) {
        fileError(tax.error());
        return;
    }
    // Without taxes the grand total is the subtotal, with no "&Tax" to press.
    if (tax->noTax) {
        bill.grandTotalIsSubtotal();
        showBill();
    }
    if (!bill.grandTotal()) {
        m_ctx.dialogs->critical(window, QStringLiteral("Grand Total Required"),
                                QStringLiteral("Please calculate the Grand Total before requesting "
                                               "payment. Press the \"Tax\" button."));
        return;
    }
    if (payment == PaymentWindow::Credit
        && !checkAccess(m_ctx, window, GuardedCommand::PayOnCredit))
        return;
    const ShownBill shown = ShownBill::of(bill);
    std::unique_ptr<QDialog> dialog;
    if (payment == PaymentWindow::Cash)
        dialog = std::make_unique<Cash>(m_ctx, shown, window);
    else
        dialog = std::make_unique<Credit>(m_ctx, shown, window);
    if (dialog->exec() == QDialog::Accepted) {
        // The stock went when the items were rung; the sale is done.
        resetBill();
        m_c.item->setEditText(QString());
        m_c.quantity->setText(QStringLiteral("1"));
    }
    ready();
}
