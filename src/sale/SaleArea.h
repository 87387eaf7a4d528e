#pragma once

#include "Sale.h"

#include <QObject>

#include <optional>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The sale area of the main window: the item and quantity boxes, the bill
// list, the totals and the bill buttons. It shows the sale and forwards keys
// and clicks to it; the main window hands over its controls and owns them.
class SaleArea : public QObject
{
    Q_OBJECT

public:
    struct Controls {
        QComboBox *item;           // Combo1
        QLineEdit *quantity;       // Text2
        QListWidget *bill;         // List1
        QLabel *subtotal;          // LabelSubTotal
        QLabel *grandTotal;        // labelGrandTotal
        QLabel *grandTotalCaption; // Label6
        QPushButton *credit;       // Command1
        QPushButton *cash;         // Command2
        QPushButton *removeItem;   // Command3
        QPushButton *clearBill;    // Command4
        QPushButton *tax;          // Command5
        QPushButton *discount;     // Command6
    };

    SaleArea(AppContext &ctx, const Controls &controls, QObject *parent);

    const Sale &sale() const { return m_sale; }
    Sale &sale() { return m_sale; }

    // Rings the item typed in the item box, or the item at `record` when given.
    void RingItem(std::optional<int> record);
    // "Remo&ve Item": the selected line, its stock put back.
    void removeItem();
    // "C&lear Bill": asks, then ClearBill.
    void askClearBill();
    // Cancels the whole bill, putting every item's stock back.
    void ClearBill();
    // Empties the bill without touching the datafile (another datafile opened).
    void resetBill();
    // "&Tax": the grand total.
    void applyTax();
    // "&Discount", after the cashier's 'Place Discount' privilege.
    void applyDiscount();

    // "C&redit" and "&Cash": payment of the bill's grand total.
    void payOnCredit();
    void payCash();

    // Shows the bill, the subtotal and the grand total as the sale holds them.
    void showBill();
    // The keyboard's place between commands, while the sale area is open.
    void focusItemBox();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A new item was stored at the counter: the item box's lists need it.
    void itemStored();

private:
    // The item box's checks before a key counts: a datafile, and a tax rate
    // unless sales are untaxed. False when the key is to be ignored.
    bool itemKeyAllowed();
    // Proposes the first item of the pick list that begins with what was typed.
    void proposeItem();
    void newItem(const QString &typed);
    void fileError(FileError error);
    enum class PaymentWindow { Cash, Credit };
    void pay(PaymentWindow payment);
    void ready();

    AppContext &m_ctx;
    Controls m_c;
    Sale m_sale;
};
