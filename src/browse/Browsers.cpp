#include "Browsers.h"

#include "Convert.h"

#include "datafile/MoneyText.h"
#include "ui/AppContext.h"
#include "ui/MainWindowAccess.h"
#include "ui_CreditBrowse.h"
#include "ui_CurrencyBrowse.h"
#include "ui_Items.h"

namespace Browsers {

bool mnuItems(AppContext &ctx, const BrowserFrame::SaveCheck &maySave)
{
    BrowserFrame window(ctx, ctx.mainWindow->widget());
    Ui::Items ui;
    ui.setupUi(&window);
    // Room for a whole name of 40 characters, even of the widest capital, and the box's margins.
    const QFontMetrics metrics = ui.Text1->fontMetrics();
    ui.Text1->setMinimumWidth(metrics.horizontalAdvance(QString(40, QLatin1Char('W')))
                              + metrics.height());
    window.start(BrowserTables::items(),
                 {{ItemBox::Name, ui.Text1},
                  {ItemBox::Number, ui.Text2},
                  {ItemBox::Price, ui.Text3},
                  {ItemBox::Sold, ui.Text4},
                  {ItemBox::Stock, ui.Text5},
                  {ItemBox::Remaining, ui.Text6}},
                 maySave);
    if (!window.loadedOk())
        return false;
    window.exec();
    return window.changed();
}

void mnuCredit(AppContext &ctx, const BrowserFrame::SaveCheck &maySave)
{
    BrowserFrame window(ctx, ctx.mainWindow->widget());
    Ui::CreditBrowse ui;
    ui.setupUi(&window);
    window.start(BrowserTables::customers(),
                 {{CustomerBox::Name, ui.Text2},
                  {CustomerBox::Notes, ui.Text1},
                  {CustomerBox::Balance, ui.Text3},
                  {CustomerBox::Visits, ui.Text4},
                  {CustomerBox::TotalSpent, ui.Text5}},
                 maySave);
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
    window.start(BrowserTables::currencies(), {{CurrencyBox::Name, ui.Text2},
                                               {CurrencyBox::Symbol, ui.Text1},
                                               {CurrencyBox::Value, ui.Text3},
                                               {CurrencyBox::Transactions, ui.Text4},
                                               {CurrencyBox::Received, ui.Text5}});
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
