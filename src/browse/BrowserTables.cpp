#include "BoxRules.h"
#include "BrowserSettings.h"

#include "datafile/CurrencySlot.h"
#include "datafile/CurrencySlotWalk.h"
#include "datafile/CustomerEntry.h"
#include "datafile/EntryWalk.h"
#include "datafile/ItemEntry.h"
#include "datafile/MoneyText.h"
#include "ui/Dialogs.h"

Form BrowserSettings::blankForm() const
{
    Form form;
    for (const BrowserField &field : fields)
        form.insert(field.box, field.blank);
    return form;
}

namespace BrowserTables {

const QString InputError = QStringLiteral("Input Error");
const QString ValidInput =
    QStringLiteral("Please ensure that you have entered valid input in all the boxes.");

namespace {

const QString EndOfDatabase = QStringLiteral("End of Database");
const QString NoMoreItems = QStringLiteral("There are no more items in the database");
const BrowserMessage AtBeginning{QStringLiteral("Beginning of Database"),
                                 QStringLiteral("You are at the beginning of the database.")};

SaveOutcome refuse(const QString &text = ValidInput)
{
    SaveOutcome out;
    out.refusal = BrowserMessage{InputError, text};
    return out;
}

SaveOutcome write(const DataRecord &record)
{
    SaveOutcome out;
    out.record = record;
    return out;
}

// Notes of several lines are kept with the line ends the datafile has always had.
QString notesForBox(const QString &stored)
{
    QString text = stored;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QString notesForFile(const QString &typed)
{
    QString text = typed;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

bool isMarkerOrEmpty(const QString &name)
{
    return name.isEmpty() || name == SharedMarker || name == CashierMarker;
}

} // namespace

QString rejectedText(const QString &box)
{
    return QStringLiteral("Please ensure that the '") + box
           + QStringLiteral("' box contains valid input.");
}

BrowserMessage databaseFull(const QString &path)
{
    return {QStringLiteral("Database is Full"), Dialogs::databaseFullText(path)};
}

BrowserMessage nothingToDisplay(const QString &path, const QString &what)
{
    return {QStringLiteral("Database is Full"),
            QStringLiteral("The current database is full, and there are no ") + what
                + QStringLiteral(" to display. The combined total of all entries in this file (")
                + path
                + QStringLiteral(") must not be in excess of 32,744 entries. Please delete some "
                                 "records.")};
}

BrowserSettings items()
{
    BrowserSettings s;
    s.walk = [](const QString &path) {
        return std::make_unique<EntryWalk>(path, EntryWalk::items());
    };
    s.opening = QStringLiteral("Opening Item Database");
    s.navigating = QStringLiteral("Navigating Item Database");
    s.searching = QStringLiteral("Searching Item Database");
    s.deleting = QStringLiteral("Deleting Item Record");
    s.deleteQuestion = QStringLiteral("Are you sure you wish to delete this item record?");
    s.searchPrompt = QStringLiteral("Please enter a product name or number. To advance to a blank "
                                    "record, place an asterisk in the field and press enter.");
    s.noMore = {EndOfDatabase, NoMoreItems};
    s.atFirstRecord = AtBeginning;
    s.atBeginning = AtBeginning;
    s.full = databaseFull;
    s.noBlankRecord = [](const QString &path) {
        return nothingToDisplay(path, QStringLiteral("empty records"));
    };
    s.openFull = [](const QString &path) {
        return nothingToDisplay(path, QStringLiteral("item records"));
    };
    s.notSaved = QStringLiteral("A File I/O Error has occured. The item was not saved.");

    const QString zero = QStringLiteral("0");
    s.fields = {
        {ItemBox::Name, QString(), {}, QString(), true},
        {ItemBox::Number, zero, BoxRules::whole(), rejectedText("Item Number")},
        {ItemBox::Price, MoneyText::formatCurrency(Currency()), BoxRules::money(),
         rejectedText("Price")},
        {ItemBox::Sold, zero, BoxRules::wholeRewritten(), rejectedText("Items Sold")},
        {ItemBox::Stock, zero, BoxRules::wholeRewritten(), rejectedText("Total Inventory")},
        {ItemBox::Remaining, zero, BoxRules::wholeRewritten(), rejectedText("Remaining Inventory")},
    };
    s.show = [](const DataRecord &record) {
        const ItemEntry item(record);
        return Form{
            {ItemBox::Name, item.name()},
            {ItemBox::Number, item.number()},
            {ItemBox::Price, MoneyText::formatCurrency(item.price())},
            {ItemBox::Sold, MoneyText::numberText(item.sold())},
            {ItemBox::Stock, MoneyText::numberText(item.stock())},
            {ItemBox::Remaining, MoneyText::numberText(item.remaining())},
        };
    };
    s.build = [](const Form &form, const DataRecord &) {
        // A stock box left empty is shown as 0.
        Form counts;
        for (const ItemBox box : {ItemBox::Sold, ItemBox::Stock, ItemBox::Remaining}) {
            const QString text = form.value(box);
            counts.insert(box, text.isEmpty() ? QStringLiteral("0") : text);
        }
        const ItemCheck check = ItemEntry::fromTexts({
            form.value(ItemBox::Name),
            form.value(ItemBox::Number),
            form.value(ItemBox::Price),
            counts.value(ItemBox::Sold),
            counts.value(ItemBox::Stock),
            counts.value(ItemBox::Remaining),
        });
        switch (check.fault) {
        case ItemFault::None: {
            SaveOutcome out = write(check.item.record());
            out.rewrite = counts;
            return out;
        }
        case ItemFault::Unbalanced: {
            SaveOutcome out = refuse(
                QStringLiteral("The total of properties 'Remaining Inventory' and 'Items Sold' "
                               "must equal Total Inventory. Check your input and try again."));
            out.rewrite = counts;
            return out;
        }
        default:
            return refuse();
        }
    };
    return s;
}

BrowserSettings customers()
{
    BrowserSettings s;
    s.walk = [](const QString &path) {
        return std::make_unique<EntryWalk>(path, EntryWalk::customers());
    };
    s.opening = QStringLiteral("Opening Credit Database");
    s.navigating = QStringLiteral("Navigating Credit Database");
    s.searching = QStringLiteral("Searching Customer Database");
    s.deleting = QStringLiteral("Deleting Customer Record");
    s.deleteQuestion = QStringLiteral("Are you sure you wish to delete this credit record?");
    s.searchPrompt = QStringLiteral("Please enter a customer name or number. To advance to a blank "
                                    "record, place an asterisk in the field and press enter.");
    s.noMore = {EndOfDatabase, NoMoreItems};
    s.atFirstRecord = AtBeginning;
    s.atBeginning = AtBeginning;
    s.full = databaseFull;
    s.noBlankRecord = [](const QString &path) {
        return nothingToDisplay(path, QStringLiteral("empty records"));
    };
    s.openFull = [](const QString &path) {
        return nothingToDisplay(path, QStringLiteral("credit records"));
    };
    s.notSaved = QStringLiteral("A File I/O Error has occured. The customer was not saved.");

    const QString zero = MoneyText::formatCurrency(Currency());
    s.fields = {
        {CustomerBox::Name, QString(), {}, QString(), true},
        {CustomerBox::Notes, QString(), {}, QString()},
        {CustomerBox::Balance, zero, BoxRules::money(), rejectedText("Balance")},
        {CustomerBox::Visits, QStringLiteral("0"), BoxRules::wholeRewritten(),
         rejectedText("Number of Visits")},
        {CustomerBox::TotalSpent, zero, BoxRules::moneyOrEmpty(), rejectedText("Total Spent")},
    };
    s.show = [](const DataRecord &record) {
        const CustomerEntry customer(record);
        return Form{
            {CustomerBox::Name, customer.name()},
            {CustomerBox::Notes, notesForBox(customer.notes())},
            {CustomerBox::Balance, MoneyText::formatCurrency(customer.balance())},
            {CustomerBox::Visits, MoneyText::numberText(customer.visits())},
            {CustomerBox::TotalSpent, MoneyText::formatCurrency(customer.totalSpent())},
        };
    };
    s.build = [](const Form &form, const DataRecord &) {
        const QString name = form.value(CustomerBox::Name);
        const auto balance = BoxRules::moneyAmount(form.value(CustomerBox::Balance));
        const QString visits = form.value(CustomerBox::Visits);
        const QString spentText = form.value(CustomerBox::TotalSpent);
        const auto spent =
            spentText.isEmpty() ? std::optional(Currency()) : BoxRules::moneyAmount(spentText);
        if (isMarkerOrEmpty(name) || !balance || !MoneyText::isWholeNumber(visits) || !spent)
            return refuse();
        CustomerEntry customer;
        customer.setName(name);
        customer.setBalance(*balance);
        customer.setNotes(notesForFile(form.value(CustomerBox::Notes)));
        customer.setVisits(*MoneyText::parseNumber(visits));
        customer.setTotalSpent(*spent);
        return write(customer.record());
    };
    return s;
}

BrowserSettings currencies()
{
    BrowserSettings s;
    s.walk = [](const QString &path) { return std::make_unique<CurrencySlotWalk>(path); };
    s.opening = QStringLiteral("Opening Currency Database");
    s.navigating = QStringLiteral("Navigating Currency Database");
    s.searching = QStringLiteral("Searching Currency Database");
    s.searchPrompt = QStringLiteral("Please enter a currency name or symbol. To advance to a blank "
                                    "record, place an asterisk in the field and press enter.");
    s.noMore = {EndOfDatabase, NoMoreItems};
    s.atFirstRecord = AtBeginning;
    s.atBeginning = AtBeginning;
    const auto maximum = [](const QString &) {
        return BrowserMessage{QStringLiteral("Maximum Number of Currencies Reached"),
                              QStringLiteral("The maximum number of currencies have already been "
                                             "entered. There can only be 4 foreign currencies in "
                                             "the database.")};
    };
    s.full = maximum;
    s.noBlankRecord = maximum;
    s.openFull = maximum;
    s.keepsStoredFields = true;
    s.notSaved = QStringLiteral("A File I/O Error has occured. The currency was not saved.");

    s.fields = {
        {CurrencyBox::Name, QString(), {}, QString(), true},
        {CurrencyBox::Symbol, QString(), BoxRules::symbol(CurrencyBox::Received),
         rejectedText("Currency Symbol")},
        {CurrencyBox::Value, QStringLiteral("0"), BoxRules::rate(), rejectedText("Current Value")},
        {CurrencyBox::Transactions, QStringLiteral("0"), BoxRules::wholeRewritten(),
         rejectedText("Number of Transactions in this Currency")},
        {CurrencyBox::Received, QStringLiteral("0"),
         BoxRules::amountWithSymbol(CurrencyBox::Symbol),
         rejectedText("Total Amount Recieved in this Currency")},
    };
    s.show = [](const DataRecord &record) {
        const CurrencySlot slot(record);
        return Form{
            {CurrencyBox::Name, slot.name()},
            {CurrencyBox::Symbol, slot.symbol()},
            {CurrencyBox::Value, MoneyText::numberText(slot.rate())},
            {CurrencyBox::Transactions, MoneyText::numberText(slot.transactions())},
            {CurrencyBox::Received, slot.symbol() + BoxRules::plainAmount(slot.received(), 2)},
        };
    };
    s.build = [](const Form &form, const DataRecord &stored) {
        const QString name = form.value(CurrencyBox::Name);
        const QString symbol = form.value(CurrencyBox::Symbol);
        const auto value = BoxRules::rateValue(form.value(CurrencyBox::Value));
        const QString transactions = form.value(CurrencyBox::Transactions);
        // A total typed without its symbol, or still showing the old one, is still the total.
        const QString received =
            BoxRules::amountAfterSymbol(form.value(CurrencyBox::Received), symbol);
        const auto total =
            received.isEmpty() ? std::optional(Currency()) : BoxRules::moneyAmount(received);
        if (isMarkerOrEmpty(name)
            || name.compare(QLatin1String("Native Currency"), Qt::CaseInsensitive) == 0
            || symbol.isEmpty() || MoneyText::isNumeric(symbol) || !value
            || !MoneyText::isWholeNumber(transactions) || !total)
            return refuse();
        CurrencySlot slot(stored);
        slot.markAsSlot();
        slot.setName(name);
        slot.setSymbol(symbol);
        slot.setRate(*value);
        slot.setTransactions(*MoneyText::parseNumber(transactions));
        slot.setReceived(*total);
        return write(slot.record());
    };
    return s;
}

} // namespace BrowserTables
