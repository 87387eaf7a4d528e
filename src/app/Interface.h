#pragma once

#include "datafile/Currency.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class Interface;
}
struct AppContext;
class QAction;

// The main window: menus, the sale area, the status bar, and the open datafile.
class Interface : public QMainWindow
{
    Q_OBJECT

public:
    // Runs the start-up: centres the window, locks the terminal and opens the
    // datafile named by `commandLine` when it is not empty.
    Interface(AppContext &ctx, const QString &commandLine, QWidget *parent = nullptr);
    ~Interface() override;

    enum class Lamp { Busy, Ready };
    // The status text and lamps. The pointer becomes the hourglass when exactly
    // one of `lamp == Busy` and `keepPointer` holds.
    void ShowStatus(const QString &text, Lamp lamp, bool keepPointer = false);
    QString statusText() const;

    // Makes the datafile at DataFilePath the open one.
    void LoadDatafile();

    // Empties the bill and its totals without touching the datafile.
    void resetBill();
    // Cancels the whole bill, putting every item's stock back line by line.
    void ClearBill();
    // "Remo&ve Item": removes the selected line and puts its stock back.
    void Command3_Click();
    // "C&lear Bill": asks, then ClearBill.
    void Command4_Click();

    Ui::Interface &form() { return *ui; }
    AppContext &context() { return m_ctx; }

    // The running total of the item lines of the bill.
    Currency Subtotal;

signals:
    // File New has written a new datafile: its first cashier must be entered.
    void firstCashierRequired();
    // The program is ending with a cashier logged on.
    void logOffRequested();

public slots:
    void mnuNew();
    void mnuOpen();
    void mnuQuit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void startUp(const QString &commandLine);
    void setNoDatafile();
    void drawArrowPictures();

    AppContext &m_ctx;
    std::unique_ptr<Ui::Interface> ui;
    bool m_quitting = false;
};

// Centres a window on the screen it is on.
void centreOnScreen(QWidget *window);
