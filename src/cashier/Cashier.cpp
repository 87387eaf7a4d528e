#include "Cashier.h"

#include "CashierTime.h"
#include "browse/BoxRules.h"
#include "datafile/CashierEntry.h"
#include "datafile/CashierStore.h"
#include "datafile/EntryWalk.h"
#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui_Cashier.h"

#include <QCheckBox>

namespace {
// The check boxes are keyed by the privilege they grant.
enum class CashierBox { Name, Pin, AmountSold, SalesPerformed, TimeLoggedOn };

const QString CheckTextBoxes = QStringLiteral("Check Text Boxes");
const QString FillOutCorrectly =
    QStringLiteral("Please ensure that all text boxes are filled out correctly.");

// The time of the cashier on duty grows at log off; an edit now would be lost.
const BrowserMessage OwnTimeMessage{
    QStringLiteral("Requested Modification not Possible"),
    QStringLiteral("You cannot change the Time Logged On property of the cashier currently logged "
                   "on.")};

SaveOutcome refuse(const QString &text = FillOutCorrectly)
{
    SaveOutcome out;
    out.refusal = BrowserMessage{CheckTextBoxes, text};
    return out;
}
} // namespace

Cashier::Cashier(AppContext &ctx, QWidget *parent)
    : BrowserFrame(ctx, parent), ui(std::make_unique<Ui::Cashier>())
{
    ui->setupUi(this);
    connect(ui->Check1, &QCheckBox::toggled, this, [this](bool hide) {
        ui->Text2->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    });
    EntryBox::maskWithAsterisks(ui->Text2);
    start(settings(), boxes());
}

Cashier::~Cashier() = default;

QList<QCheckBox *> Cashier::privilegeBoxes() const
{
    // In the privilege string's order.
    return {ui->ItemBrowse,    ui->ItemModify,     ui->CreditBrowse,  ui->CreditModify,
            ui->SettingModify, ui->TaxModify,      ui->CashierAccess, ui->PlaceDiscount,
            ui->BuildReport,   ui->ModifyCurrency, ui->ChargeCurrency};
}

BrowserFrame::BoxBinding Cashier::boxes() const
{
    BoxBinding boxes{{CashierBox::Name, ui->Text1},
                     {CashierBox::Pin, ui->Text2},
                     {CashierBox::AmountSold, ui->Text3},
                     {CashierBox::SalesPerformed, ui->Text4},
                     {CashierBox::TimeLoggedOn, ui->Text5}};
    const QList<QCheckBox *> flags = privilegeBoxes();
    for (int k = 0; k < PrivilegeCount; ++k)
        boxes.append({Privilege(k), flags[k]});
    return boxes;
}

BrowserSettings Cashier::settings()
{
    BrowserSettings s;
    s.walk = [](const QString &path) {
        return std::make_unique<EntryWalk>(path, EntryWalk::cashiers());
    };
    s.opening = QStringLiteral("Opening Cashier Database");
    s.navigating = QStringLiteral("Navigating Cashier Database");
    s.searching = QStringLiteral("Searching Cashier Database");
    s.deleting = QStringLiteral("Deleting Cashier Record");
    s.deleteQuestion = QStringLiteral("Are you sure you wish to delete this cashier record?");
    s.searchPrompt = QStringLiteral("Please enter a cashier name. To advance to a blank record, "
                                    "place an asterisk in the field and press enter.");
    s.noMore = {QStringLiteral("End of Database"),
                QStringLiteral("There are no more cashiers in the database")};
    s.atFirstRecord = {QStringLiteral("Beginning of User List"),
                       QStringLiteral("You are at the beginning of the user database")};
    s.atBeginning = {QStringLiteral("Beginning of Cashier List"),
                     QStringLiteral("You are at the beginning of the cashier database")};
    s.full = BrowserTables::databaseFull;
    s.noBlankRecord = [](const QString &path) {
        return BrowserTables::nothingToDisplay(path, QStringLiteral("empty records"));
    };
    s.openFull = [](const QString &path) {
        return BrowserMessage{
            QStringLiteral("Database is Full"),
            QStringLiteral("The current database is full and holds no cashier records. The "
                           "combined total of all entries in this file (")
                + path
                + QStringLiteral(") must not be in excess of 32,744 entries. Please delete "
                                 "some records to make room for a cashier.")};
    };
    s.markersAreMisses = true;
    s.notSaved = QStringLiteral("A File I/O Error has occured. The cashier was not saved.");

    const auto rejected = BrowserTables::rejectedText;
    s.fields = {
        {CashierBox::Name, QString(), {}, QString(), true},
        {CashierBox::Pin, QString(), BoxRules::whole(), rejected(QStringLiteral("PIN"))},
        {CashierBox::AmountSold, MoneyText::formatCurrency(Currency()), BoxRules::money(),
         rejected(QStringLiteral("Amount Sold"))},
        {CashierBox::SalesPerformed, QStringLiteral("0"), BoxRules::wholeRewritten(),
         rejected(QStringLiteral("Sales Performed"))},
        {CashierBox::TimeLoggedOn, FormatLoggedOnTime(0),
         [this](const QString &text, const QString &before, const Form &form) {
             BoxCheck check;
             check.ok = true;
             if (ownTimeEdited(form)) {
                 critical(OwnTimeMessage);
                 check.ownText = before;
             } else {
                 check.ok = isValidLoggedOnTime(text);
             }
             return check;
         },
         QStringLiteral("Please ensure that the 'Time Logged On' box contains valid input.  Data "
                        "should be entered in the format hhhh:mm:ss:mss")},
    };
    for (int k = 0; k < PrivilegeCount; ++k)
        s.fields.append({Privilege(k), QStringLiteral("0"), {}, QString()});

    s.show = [](const DataRecord &record) {
        const CashierEntry cashier(record);
        Form form{
            {CashierBox::Name, cashier.name()},
            {CashierBox::Pin, cashier.pin()},
            {CashierBox::AmountSold, MoneyText::formatCurrency(cashier.amountSold())},
            {CashierBox::SalesPerformed, cashier.salesPerformedText()},
            {CashierBox::TimeLoggedOn, FormatLoggedOnTime(cashier.msLoggedOn())},
        };
        const QString flags = cashier.privilegeText();
        for (int k = 0; k < PrivilegeCount; ++k)
            form.insert(Privilege(k), k < flags.size() && flags.at(k) == QLatin1Char('1')
                                          ? QStringLiteral("1")
                                          : QStringLiteral("0"));
        return form;
    };
    s.build = [this](const Form &form, const DataRecord &) {
        const QString name = form.value(CashierBox::Name);
        const QString pin = form.value(CashierBox::Pin);
        const QString amount = form.value(CashierBox::AmountSold);
        const QString sales = form.value(CashierBox::SalesPerformed);
        const QString time = form.value(CashierBox::TimeLoggedOn);
        if (name.isEmpty() || name == SharedMarker || name == CashierMarker || pin.isEmpty()
            || sales.isEmpty() || amount.isEmpty())
            return refuse();
        if (MoneyText::leadingNumber(pin) == 0)
            return refuse(
                QStringLiteral("Please ensure that the currently entered PIN is not '0000'."));
        if (!MoneyText::isWholeNumber(pin) || pin.size() > 4 || !MoneyText::isWholeNumber(sales)
            || !MoneyText::parseCurrency(amount) || !isValidLoggedOnTime(time))
            return refuse();
        // Enter and F7 save without leaving the box, so its rule is checked here too.
        if (ownTimeEdited(form)) {
            SaveOutcome out;
            out.refusal = OwnTimeMessage;
            out.rewrite.insert(CashierBox::TimeLoggedOn,
                               shownForm().value(CashierBox::TimeLoggedOn));
            return out;
        }
        CashierEntry cashier;
        cashier.setName(name);
        cashier.setPin(pin);
        cashier.setAmountSold(*MoneyText::parseCurrency(amount));
        cashier.setSalesPerformed(sales);
        cashier.setMsLoggedOn(ParseLoggedOnTime(time));
        Privileges flags;
        for (int k = 0; k < PrivilegeCount; ++k)
            flags.flags[k] = form.value(Privilege(k)) == QLatin1String("1") ? 1 : 0;
        cashier.setPrivileges(flags);
        SaveOutcome out;
        out.record = cashier.record();
        return out;
    };
    return s;
}

bool Cashier::save()
{
    Session &session = m_ctx.session;
    int onDuty = 0;
    if (session.isLoggedOn() && !NewCashierMode()) {
        const Session::OnDuty &cashier = session.onDuty();
        const Result<CashierStore::Found> found =
            CashierStore::locate(m_ctx.DataFilePath, {cashier.record, cashier.name, cashier.pin});
        onDuty = found ? found->record : 0;
    }
    if (!BrowserFrame::save())
        return false;
    if (onDuty != 0 && onDuty == ShownRecord()) {
        session.foundAt(onDuty);
        session.renamed(form().value(CashierBox::Name), form().value(CashierBox::Pin));
    }
    return true;
}

bool Cashier::ownTimeEdited(const Form &form) const
{
    return m_ctx.session.isLoggedOn() && form.value(CashierBox::Name) == m_ctx.session.onDuty().name
           && form.value(CashierBox::TimeLoggedOn) != shownForm().value(CashierBox::TimeLoggedOn);
}

bool Cashier::masterCheckAllowsClose()
{
    status(QStringLiteral("Checking Cashier Database"));
    // Writes to the cashier on duty find their record again when a delete
    // here has moved it, so there is nothing to look up now.
    const Result<bool> master = CashierStore::masterExists(m_ctx.DataFilePath);
    if (!master)
        // A datafile that cannot be read must not keep the user in here.
        m_ctx.dialogs->ioError(this, errorNumber(master.error()));
    else if (!*master)
        critical({QStringLiteral("Master Account Required"),
                  QStringLiteral("At least one cashier must have all attributes on.  Please "
                                 "choose a user, and check of all boxes.")});
    if (m_ctx.session.isLoggedOn())
        ready();
    else
        m_ctx.mainWindow->ShowStatus(QStringLiteral("Terminal Locked - Log On Required"),
                                     MainWindowAccess::Lamp::Busy, true);
    return !master || *master;
}

void Cashier::done(int result)
{
    // Escape and the close button both end here.
    if (loadedOk() && !masterCheckAllowsClose())
        return;
    BrowserFrame::done(result);
}
