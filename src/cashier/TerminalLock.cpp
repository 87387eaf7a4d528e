#include "TerminalLock.h"

#include "app/AppContext.h"
#include "app/Interface.h"
#include "datafile/RecordStore.h"
#include "ui_Interface.h"

namespace {
void setSaleControlsEnabled(Ui::Interface &ui, bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(ui.Command1), static_cast<QWidget *>(ui.Command2),
                       static_cast<QWidget *>(ui.Command3), static_cast<QWidget *>(ui.Command4),
                       static_cast<QWidget *>(ui.Command6), static_cast<QWidget *>(ui.List1),
                       static_cast<QWidget *>(ui.Text2), static_cast<QWidget *>(ui.Combo1)})
        w->setEnabled(enabled);
    ui.mnuManage->menuAction()->setEnabled(enabled);
    ui.mnuReport->menuAction()->setEnabled(enabled);
    ui.mnuitmLogOff->setEnabled(enabled);
    ui.mnuitmConverter->setEnabled(enabled);
    ui.mnuitmLogOn->setEnabled(!enabled);
}
} // namespace

void LockTerminal(Interface &window)
{
    Ui::Interface &ui = window.form();
    setSaleControlsEnabled(ui, false);
    ui.Command5->setEnabled(false);
    ui.Combo1->setEditText(QString());
    window.context().CashierRecord = 0;
    window.ShowStatus(QStringLiteral("Terminal Locked - Log On Required"), Interface::Lamp::Busy,
                      true);
}

void UnlockTerminal(Interface &window)
{
    Ui::Interface &ui = window.form();
    setSaleControlsEnabled(ui, true);
    // Header record 20 says whether sales are taxed; any value other than 0
    // or 1 leaves the button as it was.
    DataRecord noTax;
    if (RecordStore(window.context().DataFilePath).readRecord(20, noTax) == FileError::None) {
        const QString flag = noTax.Number.toText();
        if (flag == QLatin1String("1"))
            ui.Command5->setEnabled(false);
        else if (flag == QLatin1String("0"))
            ui.Command5->setEnabled(true);
    }
    window.ShowStatus(QStringLiteral("Ready"), Interface::Lamp::Ready);
}
