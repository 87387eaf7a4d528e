#include "Interface.h"

#include "AppContext.h"
#include "Clock.h"
#include "UpdateList.h"
#include "cashier/CashierCommands.h"
#include "cashier/TerminalLock.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordStore.h"
#include "sale/BillLine.h"
#include "sale/BillStock.h"
#include "settings/SettingsCommands.h"
#include "ui/Dialogs.h"
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

// Header records 3 and 4 hold 1 when their switch is on, as a number or as text.
bool switchIsOn(const DataRecord &record)
{
    return record.Number.toText() == QLatin1String("1");
}
} // namespace

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

Interface::Interface(AppContext &ctx, const QString &commandLine, QWidget *parent)
    : QMainWindow(parent), m_ctx(ctx), ui(std::make_unique<Ui::Interface>())
{
    ui->setupUi(this);
    m_ctx.mainWindow = this;
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint
                    | Qt::WindowCloseButtonHint)
                   & ~Qt::WindowMaximizeButtonHint);
    setFixedSize(size());
    ui->Shape1->setColor(QColor(0, 170, 0));
    ui->Shape2->setColor(QColor(210, 0, 0));
    // The item box is filled with thousands of names at once; a plain string
    // model takes them in one call.
    ui->Combo1->setModel(new QStringListModel(ui->Combo1));
    drawArrowPictures();

    connect(ui->mnuNew, &QAction::triggered, this, &Interface::mnuNew);
    connect(ui->mnuOpen, &QAction::triggered, this, &Interface::mnuOpen);
    connect(ui->mnuQuit, &QAction::triggered, this, &Interface::mnuQuit);
    connect(ui->Command3, &QPushButton::clicked, this, &Interface::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Interface::Command4_Click);
    CashierCommands::install(*this);
    SettingsCommands::install(*this);

    startUp(commandLine);
}

Interface::~Interface()
{
    if (m_ctx.mainWindow == this)
        m_ctx.mainWindow = nullptr;
}

void Interface::startUp(const QString &commandLine)
{
    centreOnScreen(this);
    ui->mnuCashier->menuAction()->setEnabled(false);
    ui->LabelSubTotal->setText(MoneyText::formatCurrency(Currency()));
    LockTerminal(*this);

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

void Interface::resetBill()
{
    ui->List1->clear();
    Subtotal = Currency();
    ui->LabelSubTotal->setText(MoneyText::formatCurrency(Subtotal));
    ui->labelGrandTotal->setText(QStringLiteral("0.00"));
    ui->labelGrandTotal->hide();
    ui->Label6->hide();
}

void Interface::Command3_Click()
{
    const int row = ui->List1->currentRow();
    if (row < 0 || !ui->List1->currentItem()->isSelected()) {
        m_ctx.dialogs->critical(this, QStringLiteral("Select an Item"),
                                QStringLiteral("You must select an item to remove by clicking it "
                                               "on the list."));
        return;
    }
    const BillLine line = BillLine::parse(ui->List1->item(row)->text());
    if (line.summary) {
        const double total = MoneyText::parseNumber(ui->labelGrandTotal->text()).value_or(0)
                             - line.price * line.quantity;
        ui->labelGrandTotal->setText(MoneyText::formatCurrency(Currency::fromDouble(total)));
        delete ui->List1->takeItem(row);
        return;
    }

    if (const FileError error = restoreStock(m_ctx.DataFilePath, line.name, line.quantity);
        error != FileError::None) {
        m_ctx.dialogs->fileError(this,
                                 QStringLiteral("A File I/O Error has occured. Please try again."),
                                 errorNumber(error));
        return;
    }
    // A summary line at the end was worked out on the old items.
    const int last = ui->List1->count() - 1;
    if (last != row && BillLine::isSummary(ui->List1->item(last)->text()))
        delete ui->List1->takeItem(last);
    Subtotal -= line.amount();
    delete ui->List1->takeItem(row);
    ui->List1->setCurrentRow(-1);
    ui->LabelSubTotal->setText(MoneyText::formatCurrency(Subtotal));
    ui->labelGrandTotal->setText(QString());
    ui->labelGrandTotal->hide();
    ui->Label6->hide();
}

void Interface::ClearBill()
{
    for (int i = ui->List1->count() - 1; i >= 0; --i) {
        ui->List1->setCurrentRow(0);
        Command3_Click();
    }
    resetBill();
}

void Interface::Command4_Click()
{
    if (m_ctx.dialogs->askYesNo(this, QStringLiteral("Cancel Purchase"),
                                QStringLiteral("Are you sure you wish to cancel the entire "
                                               "purchase?")))
        ClearBill();
}

void Interface::setNoDatafile()
{
    m_ctx.DataFilePath.clear();
    setWindowTitle(QStringLiteral("Tallybird"));
    resetBill();
    ui->Combo1->clear();
    ui->mnuCashier->menuAction()->setEnabled(false);
    LockTerminal(*this);
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

    const RecordStore store(m_ctx.DataFilePath);
    FileError error = store.testDatafile();
    DataRecord logPath, saveSwitch, printSwitch;
    if (error == FileError::None)
        error = store.readRecord(2, logPath);
    if (error == FileError::None)
        error = store.readRecord(3, saveSwitch);
    if (error == FileError::None)
        error = store.readRecord(4, printSwitch);
    if (error != FileError::None) {
        m_ctx.dialogs->fileError(
            this,
            QStringLiteral("A File I/O Error has occured. Please ensure that the file "
                           "you are attempting to open is a Tallybird ver. 2.00 file."),
            errorNumber(error));
        // What was open before is no longer: the path now names the bad file.
        setNoDatafile();
        return;
    }

    setWindowTitle(QStringLiteral("Tallybird - ") + m_ctx.DataFilePath);
    resetBill();
    ui->mnuCashier->menuAction()->setEnabled(true);
    m_ctx.LogFilePath = logPath.Number.toText();
    ui->mnuitmSave->setChecked(switchIsOn(saveSwitch));
    ui->mnuitmPrint->setChecked(switchIsOn(printSwitch));
    UpdateList(ui->Combo1, true, m_ctx);
    LockTerminal(*this);
}

void Interface::mnuOpen()
{
    const QString path = m_ctx.dialogs->openFileName(this, FileFilter);
    if (path.isEmpty())
        return;
    m_ctx.DataFilePath = QFileInfo(path).absoluteFilePath();
    LoadDatafile();
}

void Interface::mnuNew()
{
    const QString chosen = m_ctx.dialogs->saveFileName(this, FileFilter);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        if (!m_ctx.dialogs->askYesNo(this, QStringLiteral("Overwrite"),
                                     QStringLiteral("This file already exists.  Do you wish to "
                                                    "overwrite?")))
            return;
    }

    const auto fail = [&](FileError error) {
        m_ctx.dialogs->fileError(this,
                                 QStringLiteral("A File I/O Error has occured. Please try again."),
                                 errorNumber(error));
        setNoDatafile();
    };
    if (QFileInfo(path).isDir()) {
        fail(FileError::PathAccess);
        return;
    }
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        fail(FileError::PermissionDenied);
        return;
    }
    m_ctx.DataFilePath = path;
    setWindowTitle(QStringLiteral("Tallybird - ") + path);
    if (const FileError error = RecordStore(path).createNew(m_ctx.clock->today());
        error != FileError::None) {
        fail(error);
        return;
    }

    resetBill();
    ui->Combo1->clear();
    ui->mnuCashier->menuAction()->setEnabled(true);
    LockTerminal(*this);
    m_ctx.dialogs->information(this, QStringLiteral("Cashier Permissions"),
                               QStringLiteral("Please input cashier permissions."));
    emit firstCashierRequired();
}

void Interface::mnuQuit()
{
    close();
}

void Interface::closeEvent(QCloseEvent *event)
{
    if (!m_ctx.DataFilePath.isEmpty() && m_ctx.isLoggedOn())
        emit logOffRequested();
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
