#include "NewItem.h"

#include "datafile/ItemEntry.h"
#include "datafile/ItemStock.h"
#include "datafile/MoneyText.h"
#include "datafile/StoredText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_NewItem.h"

namespace {
CheckedBox::Reject refusal(AppContext &ctx, QWidget *window, const char *box)
{
    return [&ctx, window, box](QLineEdit *) {
        ctx.dialogs->critical(window, QStringLiteral("Error 8778"),
                              QStringLiteral("Please ensure that the '") + QLatin1String(box)
                                  + QStringLiteral("' box contains valid input."));
    };
}
} // namespace

NewItem::NewItem(AppContext &ctx, const QString &typed, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::NewItem>())
{
    ui->setupUi(this);
    EntryBox::upperCase(ui->Text1);
    for (QLineEdit *box : {ui->Text1, ui->Text2, ui->Text3})
        EntryBox::selectAllOnFocus(box);
    EntryBox::keypadDecimalPoint(ui->Text3);
    new CheckedBox(
        ui->Text2,
        [](QLineEdit *box, const QString &) { return MoneyText::isNumeric(box->text()); },
        refusal(ctx, this, "Item Number"));
    new CheckedBox(
        ui->Text3,
        [](QLineEdit *box, const QString &) {
            const auto price = MoneyText::parseCurrency(box->text());
            if (price)
                box->setText(MoneyText::formatCurrency(*price));
            return price.has_value();
        },
        refusal(ctx, this, "Price"));
    connect(ui->Check1, &QCheckBox::toggled, this, [this](bool billOnly) {
        ui->Command1->setText(billOnly ? QStringLiteral("&Bill") : QStringLiteral("&Add"));
    });
    connect(ui->Command1, &QPushButton::clicked, this, &NewItem::storeItem);

    // A number typed at the counter is the item's number; anything else its name.
    if (MoneyText::isNumeric(typed)) {
        ui->Text2->setText(typed);
    } else {
        ui->Text1->setText(typed);
        ui->Text2->setText(QStringLiteral("0"));
    }
    ui->Text3->setText(MoneyText::formatCurrency(Currency()));
    // The cashier goes on with what is still missing.
    (ui->Text1->text().isEmpty() ? ui->Text1 : ui->Text3)->setFocus();
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

NewItem::~NewItem() = default;

QString NewItem::name() const
{
    return ui->Text1->text();
}

QString NewItem::priceText() const
{
    return ui->Text3->text();
}

void NewItem::storeItem()
{
    MainWindowAccess *main = m_ctx.mainWindow;
    const auto status = [main](const QString &text, MainWindowAccess::Lamp lamp) {
        if (main)
            main->ShowStatus(text, lamp);
    };
    const auto ready = [&] { status(QStringLiteral("Ready"), MainWindowAccess::Lamp::Ready); };
    status(QStringLiteral("Adding New Item"), MainWindowAccess::Lamp::Busy);

    const QString itemName = name();
    const std::optional<Currency> price = MoneyText::parseCurrency(ui->Text3->text());
    const bool valid =
        ItemEntry::isValidName(itemName) && MoneyText::isNumeric(ui->Text2->text()) && price;
    // An item for this bill only is refused too: its name goes on the bill
    // and into the log.
    const std::optional<QChar> bad =
        valid ? StoredText::firstRefused(itemName + ui->Text2->text()) : std::nullopt;
    const bool billOnly = ui->Check1->isChecked();
    std::optional<ItemEntry> item;
    if (valid && !bad && !billOnly)
        item = ItemEntry::make(itemName, ui->Text2->text(), *price, 0);

    // Whether there is room, and the item stored, in one opening: another
    // till may have added an entry since, so the number is the one free now.
    const ItemStock::Added added =
        ItemStock::appendItem(m_ctx.DataFilePath, item ? &*item : nullptr);
    if (added.readError != FileError::None) {
        ready();
        m_ctx.dialogs->ioError(this, errorNumber(added.readError));
        return;
    }
    if (added.record >= DatabaseFullRecord) {
        m_ctx.dialogs->databaseFull(this, m_ctx.DataFilePath);
        ready();
        return;
    }
    if (!valid) {
        m_ctx.dialogs->critical(this, QStringLiteral("Input Error"),
                                QStringLiteral("Please ensure that you have entered valid input "
                                               "in all the boxes."));
        ready();
        return;
    }
    if (bad) {
        m_ctx.dialogs->unstorableCharacter(this, *bad);
        ready();
        return;
    }
    if (billOnly) {
        ready();
        accept();
        return;
    }
    ready();
    if (added.writeError != FileError::None) {
        m_ctx.dialogs->writeFailed(this, added.writeError);
        return;
    }
    m_record = added.record;
    accept();
}
