#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LogOn;
}
struct AppContext;

// The log-on window: a cashier's name or number and PIN.
class LogOn : public QDialog
{
    Q_OBJECT

public:
    explicit LogOn(AppContext &ctx, QWidget *parent = nullptr);
    ~LogOn() override;

    // Checks the name and PIN; on success unlocks the terminal and closes.
    void logOn();

private:
    AppContext &m_ctx;
    std::unique_ptr<Ui::LogOn> ui;
};
