#include "Browsers.h"

#include "Convert.h"

#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui_CreditBrowse.h"
#include "ui_CurrencyBrowse.h"
#include "ui_Items.h"

namespace Browsers {

void mnuItems(AppContext &ctx, const BrowserFrame::SaveCheck &maySave)
{
    MainWindow &main = *ctx.mainWindow;
    BrowserFrame window(ctx, main.widget());
    Ui::Items ui;
    ui.setupUi(&window);
    window.start(BrowserTables::items(), maySave);
    if (!window.loadedOk())
        return;
    window.exec();
    if (!window.changed())
        return;
    main.ShowStatus(QStringLiteral("Updating Item Lists"), MainWindow::Lamp::Busy);
    main.refillItemBox();
    main.ShowStatus(QStringLiteral("Ready"), MainWindow::Lamp::Ready);
}

void mnuCredit(AppContext &ctx, const BrowserFrame::SaveCheck &maySave)
{
    BrowserFrame window(ctx, ctx.mainWindow->widget());
    Ui::CreditBrowse ui;
    ui.setupUi(&window);
    window.start(BrowserTables::customers(), maySave);
    if (window.loadedOk())
        window.exec();
}

void mnuitmCurrency(AppContext &ctx)
{
    BrowserFrame window(ctx, ctx.mainWindow->widget());
    Ui::CurrencyBrowse ui;
    ui.setupUi(&window);
    QFont big = ui.Label1->font();
    big.setPointSizeF(14.25);
    ui.Label1->setFont(big);
    ui.Label1->setText(MoneyText::formatCurrency(Currency::fromUnits(1)) + QStringLiteral(" = "));
    window.start(BrowserTables::currencies());
    if (window.loadedOk())
        window.exec();
}

void mnuitmConverter(AppContext &ctx)
{
    Convert window(ctx, ctx.mainWindow->widget());
    if (window.loadedOk())
        window.exec();
}

} // namespace Browsers
