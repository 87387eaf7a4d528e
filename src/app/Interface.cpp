#include "Interface.h"

#include "browse/Browsers.h"
#include "cashier/Access.h"
#include "cashier/CashierCommands.h"
#include "datafile/MoneyText.h"
#include "datafile/ShopFile.h"
#include "report/Reports.h"
#include "sale/SaleArea.h"
#include "sale/TillCommands.h"
#include "settings/SettingsCommands.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MenuKeys.h"
#include "ui/UpdateList.h"
#include "ui/WindowSetup.h"
#include "ui_Interface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QStringListModel>

namespace {
const QString FileFilter = QStringLiteral("Tallybird Files (*.tb2);;All Files (*)");
const QString NoFileOpened = QStringLiteral("No File Opened");
} // namespace

Interface::Interface(AppContext &ctx, const QString &commandLine, QWidget *parent)
    : QMainWindow(parent), m_ctx(ctx), ui(std::make_unique<Ui::Interface>())
{
    ui->setupUi(this);
    m_ctx.mainWindow = this;
    ui->Shape1->setColor(QColor(0, 170, 0));
    ui->Shape2->setColor(QColor(210, 0, 0));
    // The item box is filled with thousands of names at once; a plain string
    // model takes them in one call.
    ui->Combo1->setModel(new QStringListModel(ui->Combo1));
    ui->Combo1->installEventFilter(this);
    m_sale = new SaleArea(m_ctx,
                          {ui->Combo1, ui->Text2, ui->List1, ui->LabelSubTotal, ui->labelGrandTotal,
                           ui->Label6, ui->Command1, ui->Command2, ui->Command3, ui->Command4,
                           ui->Command5, ui->Command6},
                          this);
    connect(m_sale, &SaleArea::itemStored, this, &Interface::refillItemBox);
    drawArrowPictures();
    new MenuKeys(ui->menubar, {ui->Command1, ui->Command2, ui->Command3, ui->Command4, ui->Command5,
                               ui->Command6});

    // Another till or the back office holds the datafile: the wait shows.
    ShopFile::setLockWaitNotice([this, before = QString()](bool waiting) mutable {
        if (waiting)
            before = statusText();
        ShowStatus(waiting ? QStringLiteral("Waiting for the datafile: another till is using it")
                           : before,
                   Lamp::Busy, false);
    });

    connectMenus();
    connect(&m_ctx.session, &Session::loggedOnChanged, this,
            [this](bool loggedOn) { loggedOn ? UnlockTerminal() : LockTerminal(); });
    startUp(commandLine);
}

void Interface::connectMenus()
{
    // After a command, and whatever window it opened has closed, the cashier
    // types the next item without reaching for the mouse.
    const auto on = [this](QAction *action, auto run) {
        connect(action, &QAction::triggered, this, [this, run] {
            run();
            focusItemBox();
        });
    };
    on(ui->mnuNew, [this] { mnuNew(); });
    on(ui->mnuOpen, [this] { mnuOpen(); });
    on(ui->mnuQuit, [this] { mnuQuit(); });

    AppContext &ctx = m_ctx;
    on(ui->mnuitmLogOn, [&ctx] { CashierCommands::logOn(ctx); });
    on(ui->mnuitmLogOff, [&ctx] { CashierCommands::LogOff(ctx); });
    on(ui->mnuitmCashierSettings, [&ctx] { CashierCommands::mnuitmCashierSettings(ctx); });
    using Reset = CashierCommands::Reset;
    const std::pair<QAction *, Reset> resets[] = {
        {ui->mnuitmCashierSalesComplete, Reset::SalesPerformed},
        {ui->mnuitmCashierMoney, Reset::AmountSold},
        {ui->mnuitmLoggedOnTime, Reset::TimeLoggedOn},
        {ui->mnuitmVisit, Reset::Visits},
        {ui->mnuResetItem, Reset::ItemsSold},
    };
    for (const auto &[action, reset] : resets)
        on(action, [&ctx, reset] { CashierCommands::runReset(ctx, reset); });

    // The browsers; Save and Delete in the item and credit browsers have a
    // privilege of their own.
    const auto maySave = [&ctx](GuardedCommand command) {
        return [&ctx, command](QWidget *window) { return checkAccess(ctx, window, command); };
    };
    on(ui->mnuItems, [this, maySave] {
        if (checkAccess(m_ctx, this, GuardedCommand::BrowseItems)
            && Browsers::mnuItems(m_ctx, maySave(GuardedCommand::SaveItem)))
            updateItemLists();
    });
    on(ui->mnuCredit, [this, maySave] {
        if (checkAccess(m_ctx, this, GuardedCommand::BrowseCredits))
            Browsers::mnuCredit(m_ctx, maySave(GuardedCommand::SaveCredit));
    });
    on(ui->mnuitmCurrency, [this] {
        if (checkAccess(m_ctx, this, GuardedCommand::BrowseCurrencies))
            Browsers::mnuitmCurrency(m_ctx);
    });
    on(ui->mnuitmConverter, [&ctx] { Browsers::mnuitmConverter(ctx); });

    on(ui->mnuPref, [this] {
        if (SettingsCommands::mnuPref(m_ctx))
            updateItemLists();
    });
    on(ui->mnuTax, [this] {
        if (const std::optional<bool> noTax = SettingsCommands::mnuTax(m_ctx))
            applyNoTax(*noTax);
    });
    on(ui->mnuitmPrintSetup, [&ctx] { SettingsCommands::mnuitmPrintSetup(ctx); });
    on(ui->mnuitmTestBill, [&ctx] { TillCommands::mnuitmTestBill(ctx); });
    on(ui->mnuitmDrawerSetup, [&ctx] { SettingsCommands::mnuitmDrawerSetup(ctx); });
    on(ui->mnuitmNoSale, [&ctx] { TillCommands::mnuitmNoSale(ctx); });
    on(ui->mnuitmLogSetup, [&ctx] { SettingsCommands::mnuitmLogSetup(ctx); });
    on(ui->mnuitmCaption, [&ctx] { SettingsCommands::mnuitmCaption(ctx); });
    on(ui->mnuitmAbout, [&ctx] { SettingsCommands::mnuitmAbout(ctx); });
    on(ui->mnuitmEmail, [&ctx] { SettingsCommands::mnuitmEmail(ctx); });
    using Builder = void (*)(const QString &, Dialogs &, QWidget *, const ReportStatus &);
    const std::pair<QAction *, Builder> reports[] = {
        {ui->mnuitmItemReport, openItemReportBuilder},
        {ui->mnuitmCreditReport, openCreditReportBuilder},
        {ui->mnuitmCashierReport, openCashierReportBuilder},
    };
    for (const auto &[action, open] : reports) {
        on(action, [this, open] {
            if (!checkAccess(m_ctx, this, GuardedCommand::BuildReport))
                return;
            open(m_ctx.DataFilePath, *m_ctx.dialogs, this, [this](const QString &text, bool busy) {
                ShowStatus(text, busy ? Lamp::Busy : Lamp::Ready);
            });
        });
    }

    using Switch = SettingsCommands::Switch;
    const std::pair<QAction *, Switch> switches[] = {
        {ui->mnuitmSave, Switch::SaveToLog},
        {ui->mnuitmPrint, Switch::PrintBill},
    };
    for (const auto &[action, which] : switches) {
        on(action, [&ctx, action, which] {
            // The menu has already moved the mark; it is the record that decides.
            action->setChecked(SettingsCommands::toggleSwitch(ctx, which, action->isChecked()));
        });
    }
}

Interface::~Interface()
{
    ShopFile::setLockWaitNotice(nullptr);
    if (m_ctx.mainWindow == this)
        m_ctx.mainWindow = nullptr;
}

void Interface::startUp(const QString &commandLine)
{
    centreOnScreen(this);
    LockTerminal();

    bool opened = false;
    if (!commandLine.isEmpty()) {
        if (QFileInfo::exists(commandLine)) {
            m_ctx.DataFilePath = QFileInfo(commandLine).absoluteFilePath();
            LoadDatafile();
            opened = true;
        } else {
            m_ctx.dialogs->critical(
                this, QStringLiteral("File Not Found"),
                QStringLiteral("The file specified in the command line arguement: '") + commandLine
                    + QStringLiteral("' does not appear to exist. Please ensure that the file does "
                                     "exist and the correct syntax has been used.\n"
                                     "Syntax: tallybird [filename]"));
        }
    }
    if (!opened)
        ShowStatus(NoFileOpened, Lamp::Busy, true);
}

void Interface::ShowStatus(const QString &text, Lamp lamp, bool keepPointer)
{
    const bool busy = lamp == Lamp::Busy;
    ui->Shape2->setLit(busy);
    ui->Shape1->setLit(!busy);
    const bool hourglass = busy != keepPointer;
    const bool shown = QApplication::overrideCursor() != nullptr;
    if (hourglass && !shown)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!hourglass && shown)
        QApplication::restoreOverrideCursor();
    ui->Label4->setText(text);
    // Let the text and lamps appear before the caller's long work starts; the
    // user's clicks wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString Interface::statusText() const
{
    return ui->Label4->text();
}

void Interface::applyMode()
{
    const bool file = m_mode.datafileOpen;
    const bool on = file && m_mode.loggedOn;
    ui->mnuCashier->menuAction()->setEnabled(file);
    ui->mnuitmLogOn->setEnabled(file && !on);
    for (QWidget *w : {static_cast<QWidget *>(ui->Command1), static_cast<QWidget *>(ui->Command2),
                       static_cast<QWidget *>(ui->Command3), static_cast<QWidget *>(ui->Command4),
                       static_cast<QWidget *>(ui->Command6), static_cast<QWidget *>(ui->List1),
                       static_cast<QWidget *>(ui->Text2), static_cast<QWidget *>(ui->Combo1)})
        w->setEnabled(on);
    ui->Command5->setEnabled(on && m_mode.taxesApply);
    for (QAction *a : {ui->mnuManage->menuAction(), ui->mnuReport->menuAction(), ui->mnuitmLogOff,
                       ui->mnuitmConverter})
        a->setEnabled(on);
}

void Interface::LockTerminal()
{
    m_mode.loggedOn = false;
    m_mode.taxesApply = false;
    applyMode();
    ui->Combo1->setEditText(QString());
    ShowStatus(QStringLiteral("Terminal Locked - Log On Required"), Lamp::Busy, true);
}

void Interface::UnlockTerminal()
{
    m_mode.loggedOn = true;
    // Any value of the no-tax record other than 0 or 1 leaves "&Tax" as the
    // lock left it.
    if (const Result<std::optional<bool>> noTax = ShopFile(m_ctx.DataFilePath).noTax())
        m_mode.taxesApply = *noTax == false;
    applyMode();
    ShowStatus(QStringLiteral("Ready"), Lamp::Ready);
}

void Interface::applyNoTax(bool noTax)
{
    m_mode.taxesApply = !noTax;
    applyMode();
    if (noTax)
        m_sale->sale().bill().hideGrandTotal();
    m_sale->showBill();
}

void Interface::updateItemLists()
{
    ShowStatus(QStringLiteral("Updating Item Lists"), Lamp::Busy);
    refillItemBox();
    ShowStatus(QStringLiteral("Ready"), Lamp::Ready);
}

void Interface::refillItemBox()
{
    m_itemBoxStamp = ShopFile(m_ctx.DataFilePath).stamp();
    UpdateList(ui->Combo1, true, m_ctx);
}

bool Interface::eventFilter(QObject *watched, QEvent *event)
{
    // Another till or the back office added, deleted or imported items: the
    // pick list catches up when the cashier comes back to the item box, not
    // with a scan per key.
    if (watched == ui->Combo1 && event->type() == QEvent::FocusIn && !m_ctx.DataFilePath.isEmpty()
        && ShopFile(m_ctx.DataFilePath).stamp() != m_itemBoxStamp) {
        const QString typed = ui->Combo1->currentText();
        refillItemBox();
        ui->Combo1->setEditText(typed);
    }
    return QMainWindow::eventFilter(watched, event);
}

QPixmap Interface::arrowPicture(Arrow arrow) const
{
    switch (arrow) {
    case Arrow::Left:
        return ui->LeftArrow->pixmap();
    case Arrow::Right:
        return ui->RightArrow->pixmap();
    case Arrow::LeftInverted:
        return ui->LeftInverted->pixmap();
    case Arrow::RightInverted:
        break;
    }
    return ui->RightInverted->pixmap();
}

void Interface::focusItemBox()
{
    m_sale->focusItemBox();
}

int Interface::billLineCount() const
{
    return m_sale->sale().bill().count();
}

void Interface::ClearBill()
{
    m_sale->ClearBill();
}

void Interface::setNoDatafile()
{
    m_ctx.DataFilePath.clear();
    setWindowTitle(QStringLiteral("Tallybird"));
    m_sale->resetBill();
    ui->Combo1->clear();
    m_mode.datafileOpen = false;
    LockTerminal();
    ShowStatus(NoFileOpened, Lamp::Busy, true);
}

void Interface::LoadDatafile()
{
    ShowStatus(QStringLiteral("Opening Database"), Lamp::Busy);
    const QFileInfo info(m_ctx.DataFilePath);
    if (!info.exists()) {
        m_ctx.dialogs->critical(this, QStringLiteral("File Not Found"),
                                QStringLiteral("The specified file does not appear to exist. "
                                               "Please check the filename and try again."));
        setNoDatafile();
        return;
    }

    const Result<ShopFile::LogSettings> settings = ShopFile(m_ctx.DataFilePath).logSettings();
    if (!settings) {
        m_ctx.dialogs->fileError(
            this,
            QStringLiteral("A File I/O Error has occured. Please ensure that the file "
                           "you are attempting to open is a Tallybird ver. 2.00 file."),
            errorNumber(settings.error()));
        // What was open before is no longer: the path now names the bad file.
        setNoDatafile();
        return;
    }

    setWindowTitle(QStringLiteral("Tallybird - ") + m_ctx.DataFilePath);
    m_sale->resetBill();
    m_mode.datafileOpen = true;
    m_ctx.LogFilePath = settings->logFile;
    ui->mnuitmSave->setChecked(settings->saveToLog);
    ui->mnuitmPrint->setChecked(settings->printBill);
    refillItemBox();
    LockTerminal();
}

void Interface::mnuOpen()
{
    const QString path = m_ctx.dialogs->openFileName(this, FileFilter);
    if (path.isEmpty() || !letGoOfDatafile())
        return;
    m_ctx.DataFilePath = QFileInfo(path).absoluteFilePath();
    LoadDatafile();
}

void Interface::mnuNew()
{
    QString chosen = m_ctx.dialogs->saveFileName(this, FileFilter);
    if (chosen.isEmpty())
        return;
    // Without the extension File Open's filter would not show the file.
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".tb2");
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        if (!m_ctx.dialogs->askYesNo(this, QStringLiteral("Overwrite"),
                                     QStringLiteral("This file already exists.  Do you wish to "
                                                    "overwrite?")))
            return;
    }

    if (!letGoOfDatafile())
        return;

    // The file at the path is kept as a dated backup beside it, never destroyed.
    QString keptAs;
    const auto fail = [&](FileError error) {
        m_ctx.dialogs->fileError(
            this, QStringLiteral("A File I/O Error has occured. Please try again.") + keptAs,
            errorNumber(error));
        setNoDatafile();
    };
    if (QFileInfo(path).isDir()) {
        fail(FileError::PathAccess);
        return;
    }
    if (QFileInfo::exists(path)) {
        const Result<QString> backup = ShopFile(path).moveAside(m_ctx.clock->now());
        if (!backup) {
            fail(backup.error());
            return;
        }
        keptAs = QStringLiteral("\nThe existing file has been moved to '") + *backup
                 + QStringLiteral("'.");
    }
    m_ctx.DataFilePath = path;
    setWindowTitle(QStringLiteral("Tallybird - ") + path);
    if (const FileError error = ShopFile(path).createNew(m_ctx.clock->today());
        error != FileError::None) {
        fail(error);
        return;
    }

    m_sale->resetBill();
    ui->Combo1->clear();
    m_mode.datafileOpen = true;
    LockTerminal();
    m_ctx.dialogs->information(this, QStringLiteral("Cashier Permissions"),
                               QStringLiteral("Please input cashier permissions.") + keptAs);
    CashierCommands::openCashierSettings(m_ctx);
}

bool Interface::letGoOfDatafile()
{
    // Log off before another datafile takes the place of this one, so that
    // the time on duty and the stock of a bill in progress stay with it.
    if (m_ctx.DataFilePath.isEmpty() || !m_ctx.session.isLoggedOn())
        return true;
    return CashierCommands::LogOff(m_ctx);
}

void Interface::mnuQuit()
{
    close();
}

void Interface::closeEvent(QCloseEvent *event)
{
    if (!m_ctx.DataFilePath.isEmpty() && m_ctx.session.isLoggedOn())
        CashierCommands::LogOff(m_ctx);
    event->accept();
}

void Interface::drawArrowPictures()
{
    // Pictures for the arrow buttons of the browser windows; the inverted
    // ones are shown while an arrow is held down.
    const auto draw = [](bool right, bool inverted) {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor face = inverted ? QColor(40, 40, 120) : QColor(70, 110, 200);
        p.setPen(QPen(inverted ? Qt::white : QColor(30, 50, 110), 1.5));
        p.setBrush(face);
        QPolygonF arrow;
        if (right)
            arrow << QPointF(6, 8) << QPointF(18, 8) << QPointF(18, 3) << QPointF(29, 16)
                  << QPointF(18, 29) << QPointF(18, 24) << QPointF(6, 24);
        else
            arrow << QPointF(26, 8) << QPointF(14, 8) << QPointF(14, 3) << QPointF(3, 16)
                  << QPointF(14, 29) << QPointF(14, 24) << QPointF(26, 24);
        p.drawPolygon(arrow);
        return pm;
    };
    ui->LeftArrow->setPixmap(draw(false, false));
    ui->RightArrow->setPixmap(draw(true, false));
    ui->LeftInverted->setPixmap(draw(false, true));
    ui->RightInverted->setPixmap(draw(true, true));
}
