#include "Cashier.h"

#include "AccessCheck.h"
#include "CashierStore.h"
#include "CashierTime.h"
#include "datafile/CashierEntry.h"
#include "datafile/Cp1252.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordStore.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindow.h"
#include "ui/WindowSetup.h"
#include "ui_Cashier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include <cmath>

namespace {
const QString CheckTextBoxes = QStringLiteral("Check Text Boxes");
const QString FillOutCorrectly =
    QStringLiteral("Please ensure that all text boxes are filled out correctly.");
const QString Error8778 = QStringLiteral("Error 8778");

QString fullText(const QString &path)
{
    return QStringLiteral("The current database is full. The combined total of all entries in "
                          "this file (")
           + path
           + QStringLiteral(") must not be in excess of 32,744 entries. Please delete some "
                            "records.");
}

bool isWhole(const QString &text)
{
    const auto value = MoneyText::parseNumber(text);
    return value && std::trunc(*value) == *value;
}
} // namespace

Cashier::Cashier(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::Cashier>()), m_menu(new QMenuBar(this)),
      m_walk(ctx.DataFilePath, BrowserWalk::cashiers())
{
    ui->setupUi(this);
    QAction *del = m_menu->addAction(QStringLiteral("&Delete"));
    del->setObjectName(QStringLiteral("mnuDelete"));
    QAction *search = m_menu->addAction(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("mnuSearch"));
    layout()->setMenuBar(m_menu);
    connect(del, &QAction::triggered, this, &Cashier::Delete);
    connect(search, &QAction::triggered, this, &Cashier::Search);

    using Arrow = MainWindow::Arrow;
    const MainWindow &main = *ctx.mainWindow;
    ui->Image2->setPictures(main.arrowPicture(Arrow::Left), main.arrowPicture(Arrow::LeftInverted));
    ui->Image1->setPictures(main.arrowPicture(Arrow::Right),
                            main.arrowPicture(Arrow::RightInverted));
    connect(ui->Image1, &ArrowImage::clicked, this, &Cashier::Next);
    connect(ui->Image2, &ArrowImage::clicked, this, &Cashier::Previous);
    connect(ui->Command1, &QPushButton::clicked, this, &Cashier::Save);
    connect(ui->Check1, &QCheckBox::toggled, this, [this](bool hide) {
        ui->Text2->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    });

    EntryBox::upperCase(ui->Text1);
    for (QLineEdit *box : {ui->Text1, ui->Text2, ui->Text3, ui->Text4, ui->Text5})
        EntryBox::selectAllOnFocus(box);
    EntryBox::maskWithAsterisks(ui->Text2);
    setupChecks();
    // The function keys work wherever the focus is in the window.
    qApp->installEventFilter(this);

    prepareDialog(this, ctx.mainWindow->widget());
    load();
}

Cashier::~Cashier()
{
    qApp->removeEventFilter(this);
}

QList<QCheckBox *> Cashier::privilegeBoxes() const
{
    // The check boxes are named after the flags, in the privilege string's order.
    QList<QCheckBox *> boxes;
    for (const QString &name : privilegeNames())
        boxes << findChild<QCheckBox *>(name);
    return boxes;
}

void Cashier::setupChecks()
{
    const auto reject = [this](const QString &box) {
        return [this, box](QLineEdit *) {
            critical(Error8778, QStringLiteral("Please ensure that the '") + box
                                    + QStringLiteral("' box contains valid input."));
        };
    };
    new CheckedBox(
        ui->Text2, [](QLineEdit *box, const QString &) { return isWhole(box->text()); },
        reject(QStringLiteral("PIN")));
    new CheckedBox(
        ui->Text3,
        [](QLineEdit *box, const QString &) {
            const auto amount = MoneyText::parseCurrency(box->text());
            if (!amount)
                return false;
            box->setText(MoneyText::formatCurrency(*amount));
            return true;
        },
        reject(QStringLiteral("Amount Sold")));
    new CheckedBox(
        ui->Text4,
        [](QLineEdit *box, const QString &) {
            if (!isWhole(box->text()))
                return false;
            box->setText(MoneyText::numberText(*MoneyText::parseNumber(box->text())));
            return true;
        },
        reject(QStringLiteral("Sales Performed")));
    m_timeBox = new CheckedBox(
        ui->Text5,
        [this](QLineEdit *box, const QString &before) {
            if (!timeChangeAllowed()) {
                box->setText(before);
                return true;
            }
            return isValidLoggedOnTime(box->text());
        },
        [this](QLineEdit *) {
            critical(Error8778,
                     QStringLiteral("Please ensure that the 'Time Logged On' box contains valid "
                                    "input.  Data should be entered in the format hhhh:mm:ss:mss"));
        });
}

bool Cashier::timeChangeAllowed()
{
    // The time of the cashier on duty grows at log off; an edit now would be lost.
    if (!m_ctx.isLoggedOn() || ui->Text1->text() != m_ctx.CashierName
        || ui->Text5->text() == m_shownTime)
        return true;
    critical(QStringLiteral("Requested Modification not Possible"),
             QStringLiteral("You cannot change the Time Logged On property of the cashier "
                            "currently logged on."));
    return false;
}

void Cashier::status(const QString &text)
{
    m_ctx.mainWindow->ShowStatus(text, MainWindow::Lamp::Busy);
}

void Cashier::ready()
{
    m_ctx.mainWindow->ShowStatus(QStringLiteral("Ready"), MainWindow::Lamp::Ready);
}

void Cashier::critical(const QString &title, const QString &text)
{
    m_ctx.dialogs->critical(this, title, text);
}

void Cashier::load()
{
    status(QStringLiteral("Opening Cashier Database"));
    const Result<BrowserWalk::Step> first = m_walk.first();
    if (first && first->outcome == BrowserWalk::Outcome::DatabaseFull) {
        critical(QStringLiteral("Database is Full"),
                 QStringLiteral("The current database is full and holds no cashier records. The "
                                "combined total of all entries in this file (")
                     + m_ctx.DataFilePath
                     + QStringLiteral(") must not be in excess of 32,744 entries. Please delete "
                                      "some records to make room for a cashier."));
        m_loadedOk = false;
    } else {
        display(first);
    }
    ready();
}

void Cashier::display(const Result<BrowserWalk::Step> &result)
{
    using Outcome = BrowserWalk::Outcome;
    if (!result) {
        m_ctx.dialogs->fileError(this,
                                 QStringLiteral("A File I/O Error has occured. Please try again."),
                                 errorNumber(result.error()));
        return;
    }
    switch (result->outcome) {
    case Outcome::Shown: {
        const CashierEntry cashier(result->record);
        ui->Text1->setText(cashier.name());
        ui->Text2->setText(cashier.pin());
        ui->Text3->setText(MoneyText::formatCurrency(cashier.amountSold()));
        ui->Text4->setText(cashier.salesPerformedText());
        ui->Text5->setText(FormatLoggedOnTime(cashier.msLoggedOn()));
        m_shownTime = ui->Text5->text();
        const QString flags = cashier.privilegeText();
        const QList<QCheckBox *> boxes = privilegeBoxes();
        for (int k = 0; k < boxes.size(); ++k)
            boxes[k]->setChecked(k < flags.size() && flags.at(k) == QLatin1Char('1'));
        break;
    }
    case Outcome::Blank:
        ui->Text1->clear();
        ui->Text2->clear();
        ui->Text3->setText(MoneyText::formatCurrency(Currency()));
        ui->Text4->setText(QStringLiteral("0"));
        ui->Text5->setText(FormatLoggedOnTime(0));
        m_shownTime = ui->Text5->text();
        for (QCheckBox *box : privilegeBoxes())
            box->setChecked(false);
        break;
    case Outcome::NoMore:
        critical(QStringLiteral("End of Database"),
                 QStringLiteral("There are no more cashiers in the database"));
        break;
    case Outcome::AtBeginning:
        critical(QStringLiteral("Beginning of Cashier List"),
                 QStringLiteral("You are at the beginning of the cashier database"));
        break;
    case Outcome::DatabaseFull:
        critical(QStringLiteral("Database is Full"), fullText(m_ctx.DataFilePath));
        break;
    case Outcome::NotFound:
    case Outcome::Nothing:
        critical(QStringLiteral("Search Error"), QStringLiteral("No records match search critera"));
        break;
    }
}

void Cashier::Next()
{
    status(QStringLiteral("Navigating Cashier Database"));
    display(m_walk.next());
    ready();
}

void Cashier::Previous()
{
    status(QStringLiteral("Navigating Cashier Database"));
    if (m_walk.CurrentRecord <= FirstEntryRecord)
        critical(QStringLiteral("Beginning of User List"),
                 QStringLiteral("You are at the beginning of the user database"));
    else
        display(m_walk.previous());
    ready();
}

void Cashier::Search()
{
    const auto answer = m_ctx.dialogs->inputBox(
        this, QStringLiteral("Search Criteria"),
        QStringLiteral("Please enter a cashier name. To advance to a blank record, place an "
                       "asterisk in the field and press enter."),
        QString());
    if (!answer || answer->isEmpty())
        return;
    status(QStringLiteral("Searching Cashier Database"));
    if (*answer == QLatin1String("*")
        && RecordStore(m_ctx.DataFilePath).NextFreeRecord().valueOr(0) > DatabaseFullRecord)
        critical(QStringLiteral("Database is Full"),
                 QStringLiteral("The current database is full, and there are no empty records to "
                                "display. The combined total of all entries in this file (")
                     + m_ctx.DataFilePath
                     + QStringLiteral(") must not be in excess of 32,744 entries. Please delete "
                                      "some records."));
    else
        display(m_walk.search(*answer));
    ready();
}

void Cashier::Delete()
{
    if (m_walk.AtEnd)
        return;
    if (!m_ctx.dialogs->askYesNo(this, QStringLiteral("Confirm Delete"),
                                 QStringLiteral("Are you sure you wish to delete this cashier "
                                                "record?")))
        return;
    status(QStringLiteral("Deleting Cashier Record"));
    if (const FileError error = RecordStore(m_ctx.DataFilePath).DeleteRecord(m_walk.CurrentRecord);
        error != FileError::None)
        m_ctx.dialogs->fileError(
            this, QStringLiteral("A File I/O Error has occured. The record was not deleted."),
            errorNumber(error));
    else
        display(m_walk.afterDelete());
    ready();
}

void Cashier::Save()
{
    const QString name = ui->Text1->text();
    const QString pin = ui->Text2->text();
    const QString amount = ui->Text3->text();
    const QString sales = ui->Text4->text();
    if (name.isEmpty() || name == SharedMarker || name == CashierMarker || pin.isEmpty()
        || sales.isEmpty() || amount.isEmpty()) {
        critical(CheckTextBoxes, FillOutCorrectly);
        return;
    }
    if (MoneyText::leadingNumber(pin) == 0) {
        critical(CheckTextBoxes,
                 QStringLiteral("Please ensure that the currently entered PIN is not '0000'."));
        return;
    }
    if (!isWhole(pin) || pin.size() > 4 || !isWhole(sales) || !MoneyText::parseCurrency(amount)
        || !isValidLoggedOnTime(ui->Text5->text())) {
        critical(CheckTextBoxes, FillOutCorrectly);
        return;
    }
    // Enter and F7 save without leaving the box, so its rule is checked here too.
    if (!timeChangeAllowed()) {
        ui->Text5->setText(m_shownTime);
        return;
    }
    for (const QString &text : {name, pin}) {
        const QChar bad = Cp1252::firstUnencodable(text);
        if (!bad.isNull()) {
            m_ctx.dialogs->unstorableCharacter(this, bad);
            return;
        }
    }

    CashierEntry cashier;
    cashier.setName(name);
    cashier.setPin(pin);
    cashier.setAmountSold(*MoneyText::parseCurrency(amount));
    cashier.setSalesPerformed(sales);
    cashier.setMsLoggedOn(ParseLoggedOnTime(ui->Text5->text()));
    Privileges flags;
    const QList<QCheckBox *> boxes = privilegeBoxes();
    for (int k = 0; k < boxes.size(); ++k)
        flags.flags[k] = boxes[k]->isChecked() ? 1 : 0;
    cashier.setPrivileges(flags);

    const FileError error =
        RecordStore(m_ctx.DataFilePath).writeRecord(m_walk.CurrentRecord, cashier.record());
    if (error == FileError::BadRecordLength) {
        critical(QStringLiteral("Record too Long"),
                 QStringLiteral("This record is too long!  Try shortening some of the fields."));
        return;
    }
    if (error != FileError::None) {
        m_ctx.dialogs->fileError(
            this, QStringLiteral("A File I/O Error has occured. The cashier was not saved."),
            errorNumber(error));
        return;
    }
    m_walk.AtEnd = false;
}

bool Cashier::masterCheckAllowsClose()
{
    status(QStringLiteral("Checking Cashier Database"));
    // Writes to the cashier on duty find the record by name when they
    // happen, so a delete here leaves nothing to look up again.
    const Result<bool> master = CashierStore::masterExists(m_ctx.DataFilePath);
    if (!master)
        // A datafile that cannot be read must not keep the user in here.
        m_ctx.dialogs->fileError(this,
                                 QStringLiteral("A File I/O Error has occured. Please try again."),
                                 errorNumber(master.error()));
    else if (!*master)
        critical(QStringLiteral("Master Account Required"),
                 QStringLiteral("At least one cashier must have all attributes on.  Please choose "
                                "a user, and check of all boxes."));
    if (m_ctx.isLoggedOn())
        ready();
    else
        m_ctx.mainWindow->ShowStatus(QStringLiteral("Terminal Locked - Log On Required"),
                                     MainWindow::Lamp::Busy, true);
    return !master || *master;
}

void Cashier::done(int result)
{
    // Escape and the close button both end here.
    if (m_loadedOk && !masterCheckAllowsClose())
        return;
    QDialog::done(result);
}

bool Cashier::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !isVisible())
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_F5:
        Previous();
        return true;
    case Qt::Key_F6:
        Next();
        return true;
    case Qt::Key_F7:
        Save();
        return true;
    case Qt::Key_F8:
        Delete();
        return true;
    case Qt::Key_F9:
        Search();
        return true;
    default:
        return false;
    }
}
