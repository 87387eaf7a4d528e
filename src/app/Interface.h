#pragma once

#include "datafile/FileStamp.h"
#include "ui/MainWindowAccess.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class Interface;
}
struct AppContext;
class SaleArea;

// The states of the main window that decide which controls and menus work.
struct MainWindowMode {
    bool datafileOpen = false;
    bool loggedOn = false;
    bool taxesApply = false; // "&Tax" works while a cashier is logged on
};

// The main window: menus, the sale area, the status bar, and the open datafile.
class Interface : public QMainWindow, public MainWindowAccess
{
    Q_OBJECT

public:
    // Runs the start-up: centres the window, locks the terminal and opens the
    // datafile named by `commandLine` when it is not empty.
    Interface(AppContext &ctx, const QString &commandLine, QWidget *parent = nullptr);
    ~Interface() override;

    using MainWindowAccess::ShowStatus;
    QWidget *widget() override { return this; }
    void ShowStatus(const QString &text, Lamp lamp, bool keepPointer) override;
    QString statusText() const;
    int billLineCount() const override;
    void ClearBill() override;
    QPixmap arrowPicture(Arrow arrow) const override;

    const MainWindowMode &mode() const { return m_mode; }

    // Makes the datafile at DataFilePath the open one.
    void LoadDatafile();

    SaleArea &saleArea() { return *m_sale; }

public slots:
    void mnuNew();
    void mnuOpen();
    void mnuQuit();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Disables everything that needs a logged-on cashier and shows "Terminal
    // Locked - Log On Required"; the session follows who is on duty.
    void LockTerminal();
    // Enables the sale area for the cashier who has just logged on; the
    // "&Tax" button follows the no-tax header record.
    void UnlockTerminal();
    void connectMenus();
    void startUp(const QString &commandLine);
    void setNoDatafile();
    // Logs the cashier off the open datafile; false when the purchase is kept.
    bool letGoOfDatafile();
    // Sets every control's and menu's enabled state from the mode.
    void applyMode();
    void focusItemBox();
    void drawArrowPictures();
    // With no tax the "&Tax" button is disabled and the grand total hidden.
    void applyNoTax(bool noTax);
    // Refills the item box from the open datafile.
    void refillItemBox();
    // The item box refilled after its entries changed, with the status saying so.
    void updateItemLists();

    AppContext &m_ctx;
    std::unique_ptr<Ui::Interface> ui;
    SaleArea *m_sale = nullptr;
    FileStamp m_itemBoxStamp; // the datafile as the item box's list was filled
    MainWindowMode m_mode;
};
