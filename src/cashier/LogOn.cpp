#include "LogOn.h"

#include "AccessCheck.h"
#include "CashierStore.h"
#include "TerminalLock.h"
#include "app/AppContext.h"
#include "app/Clock.h"
#include "app/Interface.h"
#include "datafile/MoneyText.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
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
    connect(ui->Command1, &QPushButton::clicked, this, &LogOn::Command1_Click);
    prepareDialog(this, ctx.mainWindow);
}

LogOn::~LogOn() = default;

void LogOn::Command1_Click()
{
    Interface &main = *m_ctx.mainWindow;
    main.ShowStatus(QStringLiteral("Searching Database for Cashier"), Interface::Lamp::Busy);
    const QString name = ui->Text1->text();
    const QString pin = ui->Text2->text();
    if (name.isEmpty() || pin.isEmpty() || !MoneyText::isNumeric(pin)) {
        m_ctx.dialogs->critical(this, NoSuchUser,
                                QStringLiteral("User not defined, or password incorrect."));
        main.ShowStatus(Locked, Interface::Lamp::Busy, true);
        return;
    }

    const CashierStore::Match match = CashierStore::findForLogOn(m_ctx.DataFilePath, name, pin);
    if (match.error != FileError::None) {
        m_ctx.dialogs->fileError(this,
                                 QStringLiteral("A File I/O Error has occured. Please try again."),
                                 errorNumber(match.error));
        main.ShowStatus(Locked, Interface::Lamp::Busy, true);
        return;
    }
    if (match.record == 0) {
        m_ctx.dialogs->critical(this, NoSuchUser,
                                QStringLiteral("User not Defined or PIN incorrect."));
        main.ShowStatus(Locked, Interface::Lamp::Busy, true);
        return;
    }

    const QString stored = match.data.Number.toText();
    m_ctx.dialogs->information(this, QStringLiteral("Log on Sucessful"),
                               QStringLiteral("Logged On as \"") + stored
                                   + QStringLiteral("\" Sucessful"));
    m_ctx.privileges = parsePrivileges(match.data.SpareC.toText());
    m_ctx.CashierName = stored;
    m_ctx.LogOnTicks = m_ctx.clock->ticks();
    UnlockTerminal(main);
    accept();
    m_ctx.CashierRecord = match.record;
    main.ShowStatus(QStringLiteral("Ready"), Interface::Lamp::Ready);
}
