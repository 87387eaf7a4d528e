#include "About1.h"

#include "HelpFiles.h"
#include "SettingsCommands.h"
#include "ui/AppContext.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_About1.h"

#include <QPixmap>

About1::About1(AppContext &ctx, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::About1>())
{
    ui->setupUi(this);
    const QPixmap picture(HelpFiles::splashPicture(ctx.ProgramDir));
    if (!picture.isNull()) {
        ui->Picture1->setPixmap(picture);
    } else {
        // Without its picture the box still says what it is about.
        ui->Picture1->setText(QStringLiteral("<h1>Tallybird</h1>"));
        ui->Picture1->setMinimumSize(360, 120);
    }
    ui->Label4->setText(HelpFiles::SupportAddress);
    ui->Label4->setToolTip(HelpFiles::supportMail().toString());
    connect(ui->Label4, &LinkLabel::clicked, this, [&ctx] { SettingsCommands::mnuitmEmail(ctx); });
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

About1::~About1() = default;
