#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class Pref;
}
struct AppContext;

// "Preferences": what the item box lists, whether the drop-down pick boxes
// are used, and the last and next transaction numbers.
class Pref : public QDialog
{
    Q_OBJECT

public:
    explicit Pref(AppContext &ctx, QWidget *parent = nullptr);
    ~Pref() override;

    // Shows the stored settings; false, after telling the user, when the
    // datafile cannot be read.
    bool load();
    // "&OK": stores the choices, refills the item pick list and closes.
    void storePreferences();

private:
    AppContext &m_ctx;
    std::unique_ptr<Ui::Pref> ui;
};
