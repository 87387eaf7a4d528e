#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class DrawerSetup;
}
struct AppContext;

// "Cash Drawer Setup": how this till's cash drawer opens, kept on this machine
// beside its printer.
class DrawerSetup : public QDialog
{
    Q_OBJECT

public:
    explicit DrawerSetup(AppContext &ctx, QWidget *parent = nullptr);
    ~DrawerSetup() override;

    // "&OK": stores the choice and closes; a command left empty is refused.
    void storeDrawer();

private:
    AppContext &m_ctx;
    std::unique_ptr<Ui::DrawerSetup> ui;
};
