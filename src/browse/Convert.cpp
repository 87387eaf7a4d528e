#include "Convert.h"

#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_Convert.h"

#include <QFocusEvent>

using CurrencyConversion::Rate;

Convert::Convert(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::Convert>())
{
    ui->setupUi(this);
    m_a = {ui->Combo1, ui->Text1, QStringLiteral("Currency Name A")};
    m_b = {ui->Combo2, ui->Text2, QStringLiteral("Currency Name B")};
    prepareDialog(this, ctx.mainWindow->widget());

    const auto entries = CurrencyConversion::entries(ctx.DataFilePath);
    if (!entries) {
        m_ctx.dialogs->ioError(this, errorNumber(entries.error()));
        m_loadedOk = false;
        return;
    }
    for (const Side &side : {m_a, m_b}) {
        for (const CurrencyConversion::Entry &entry : *entries)
            side.list->addItem(entry.text,
                               entry.rate ? QVariant::fromValue(*entry.rate) : QVariant());
        side.list->setCurrentIndex(0);
        write(side.box, CurrencyConversion::amountText(0, std::nullopt));
        EntryBox::selectAllOnFocus(side.box);
        EntryBox::keypadDecimalPoint(side.box);
        side.box->installEventFilter(this);
    }
    connect(m_a.box, &QLineEdit::textChanged, this, [this] {
        if (!m_writing)
            convertFrom(m_a, m_b, true);
    });
    connect(m_b.box, &QLineEdit::textChanged, this, [this] {
        if (!m_writing)
            convertFrom(m_b, m_a, true);
    });
    // A new currency on one side shows the other side's amount in it.
    connect(m_b.list, &QComboBox::currentIndexChanged, this, [this] { convertFrom(m_a, m_b); });
    connect(m_a.list, &QComboBox::currentIndexChanged, this, [this] { convertFrom(m_b, m_a); });
}

Convert::~Convert() = default;

Rate Convert::rate(const Side &side) const
{
    const QVariant raw = side.list->currentData();
    if (!raw.isValid())
        return std::nullopt;
    return raw.toDouble();
}

void Convert::write(QLineEdit *box, const QString &text)
{
    m_writing = true;
    box->setText(text);
    m_writing = false;
}

void Convert::convertFrom(const Side &from, const Side &to, bool typing)
{
    const QString text = from.box->text();
    // A box emptied to type a new amount stands for 0.
    const bool empty = text.trimmed().isEmpty();
    if (!empty && !MoneyText::isNumeric(text)) {
        // "1," on the way to "1,500" is no error until the box is left so.
        if (typing && MoneyText::mayBecomeNumber(text))
            return;
        write(from.box, CurrencyConversion::amountText(0, rate(from)));
        write(to.box, CurrencyConversion::amountText(0, rate(to)));
        m_ctx.dialogs->critical(this, QStringLiteral("Input Error"),
                                QStringLiteral("Please ensure that you are entering a valid number "
                                               "in the '")
                                    + from.name + QStringLiteral("' box."));
        from.box->selectAll();
        return;
    }
    const double amount = empty ? 0 : *MoneyText::parseNumber(text);
    const double result = from.list->currentIndex() == to.list->currentIndex()
                              ? amount
                              : CurrencyConversion::convert(amount, rate(from), rate(to));
    write(to.box, CurrencyConversion::amountText(result, rate(to)));
}

bool Convert::eventFilter(QObject *watched, QEvent *event)
{
    // Focus taken by a message box or another window is not the user leaving.
    const auto reason = event->type() == QEvent::FocusOut
                            ? static_cast<QFocusEvent *>(event)->reason()
                            : Qt::ActiveWindowFocusReason;
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        for (const auto &[side, other] : {std::pair(m_a, m_b), std::pair(m_b, m_a)}) {
            if (watched != side.box)
                continue;
            const QString text = side.box->text();
            // A number left half typed is refused as any other text.
            if (!text.trimmed().isEmpty() && !MoneyText::isNumeric(text))
                convertFrom(side, other, false);
            // A native amount is shown in the currency format once the user leaves it.
            else if (!rate(side))
                if (const auto amount = MoneyText::parseCurrency(text))
                    write(side.box, MoneyText::formatCurrency(*amount));
        }
    }
    return QDialog::eventFilter(watched, event);
}
