#include "DrawerSetup.h"

#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/MainWindowAccess.h"
#include "ui/TillSettings.h"
#include "ui/WindowSetup.h"
#include "ui_DrawerSetup.h"

DrawerSetup::DrawerSetup(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::DrawerSetup>())
{
    ui->setupUi(this);
    const TillSettings till = TillSettings::load();
    using Drawer = TillSettings::Drawer;
    (till.drawer == Drawer::Pulse     ? ui->Option2
     : till.drawer == Drawer::Command ? ui->Option3
                                      : ui->Option1)
        ->setChecked(true);
    ui->Text1->setText(till.drawerCommand);
    ui->Text1->setEnabled(ui->Option3->isChecked());
    connect(ui->Option3, &QRadioButton::toggled, ui->Text1, &QLineEdit::setEnabled);
    connect(ui->Command1, &QPushButton::clicked, this, &DrawerSetup::storeDrawer);
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

DrawerSetup::~DrawerSetup() = default;

void DrawerSetup::storeDrawer()
{
    using Drawer = TillSettings::Drawer;
    TillSettings till = TillSettings::load();
    till.drawer = ui->Option2->isChecked()   ? Drawer::Pulse
                  : ui->Option3->isChecked() ? Drawer::Command
                                             : Drawer::None;
    if (till.drawer == Drawer::Command && ui->Text1->text().trimmed().isEmpty()) {
        m_ctx.dialogs->critical(this, QStringLiteral("Invalid Input"),
                                QStringLiteral("Please enter the command that opens the cash "
                                               "drawer."));
        ui->Text1->setFocus();
        return;
    }
    till.drawerCommand = ui->Text1->text().trimmed();
    till.save();
    accept();
}
