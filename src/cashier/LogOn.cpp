#include "LogOn.h"

#include "AccessCheck.h"
#include "datafile/CashierEntry.h"
#include "datafile/CashierStore.h"
#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_LogOn.h"

namespace {
const QString NoSuchUser = QStringLiteral("No such user");
const QString Locked = QStringLiteral("Terminal Locked - Log On Required");
} // namespace

LogOn::LogOn(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::LogOn>())
{
    ui->setupUi(this);
    EntryBox::upperCase(ui->Text1);
    EntryBox::selectAllOnFocus(ui->Text1);
    EntryBox::selectAllOnFocus(ui->Text2);
    EntryBox::maskWithAsterisks(ui->Text2);
    connect(ui->Command1, &QPushButton::clicked, this, &LogOn::logOn);
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

LogOn::~LogOn() = default;

void LogOn::logOn()
{
    MainWindowAccess &main = *m_ctx.mainWindow;
    using Lamp = MainWindowAccess::Lamp;
    main.ShowStatus(QStringLiteral("Searching Database for Cashier"), Lamp::Busy);
    const QString name = ui->Text1->text();
    const QString pin = ui->Text2->text();
    if (name.isEmpty() || pin.isEmpty() || !MoneyText::isNumeric(pin)) {
        m_ctx.dialogs->critical(this, NoSuchUser,
                                QStringLiteral("User not defined, or password incorrect."));
        main.ShowStatus(Locked, Lamp::Busy, true);
        return;
    }

    const Result<CashierStore::Found> match =
        CashierStore::findForLogOn(m_ctx.DataFilePath, name, pin);
    if (!match) {
        m_ctx.dialogs->ioError(this, errorNumber(match.error()));
        main.ShowStatus(Locked, Lamp::Busy, true);
        return;
    }
    if (match->record == 0) {
        m_ctx.dialogs->critical(this, NoSuchUser,
                                QStringLiteral("User not Defined or PIN incorrect."));
        main.ShowStatus(Locked, Lamp::Busy, true);
        return;
    }

    const CashierEntry cashier(match->data);
    const QString stored = cashier.name();
    m_ctx.dialogs->information(this, QStringLiteral("Log on Sucessful"),
                               QStringLiteral("Logged On as \"") + stored
                                   + QStringLiteral("\" Sucessful"));
    m_ctx.session.logOn(
        {match->record, stored, cashier.pin(), cashier.privileges(), m_ctx.clock->ticks()});
    accept();
    main.ShowStatus(QStringLiteral("Ready"), Lamp::Ready);
}
