#include "Pref.h"

#include "Preferences.h"
#include "SettingsErrors.h"
#include "app/AppContext.h"
#include "app/Clock.h"
#include "app/Interface.h"
#include "app/UpdateList.h"
#include "datafile/RecordStore.h"
#include "ui/WindowSetup.h"
#include "ui_Interface.h"
#include "ui_Pref.h"

namespace {
const QString NoTransactions =
    QStringLiteral("There have been no previous transactions using this database.");
}

Pref::Pref(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::Pref>())
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &Pref::Command1_Click);
    // The same width whichever text the first line shows.
    ui->Label1->setMinimumWidth(ui->Label1->fontMetrics().horizontalAdvance(NoTransactions));
    prepareDialog(this, ctx.mainWindow);
}

Pref::~Pref() = default;

bool Pref::load()
{
    Preferences prefs;
    DataRecord counter;
    FileError error = Preferences::read(m_ctx.DataFilePath, prefs);
    if (error == FileError::None)
        error = RecordStore(m_ctx.DataFilePath).readRecord(7, counter);
    if (error != FileError::None) {
        SettingsErrors::critical(m_ctx, parentWidget(), QStringLiteral("mnuPref"),
                                 QStringLiteral("Interface"), error);
        return false;
    }

    (prefs.itemNames ? ui->Option1 : ui->Option2)->setChecked(true);
    (prefs.pickListsEnabled ? ui->Option3 : ui->Option4)->setChecked(true);
    const TransactionLabels labels = TransactionLabels::from(counter, m_ctx.clock->today());
    if (!labels.anyBefore)
        ui->Label1->setText(NoTransactions);
    ui->Label2->setText(labels.last);
    ui->Label4->setText(labels.next);
    return true;
}

void Pref::Command1_Click()
{
    Preferences prefs;
    prefs.itemNames = ui->Option1->isChecked();
    prefs.pickListsEnabled = ui->Option3->isChecked();
    if (const FileError error = prefs.write(m_ctx.DataFilePath); error != FileError::None) {
        SettingsErrors::critical(m_ctx, this, QStringLiteral("Command1_Click"),
                                 QStringLiteral("Pref"), error);
        return;
    }

    Interface &main = *m_ctx.mainWindow;
    main.ShowStatus(QStringLiteral("Updating Item Lists"), Interface::Lamp::Busy);
    UpdateList(main.form().Combo1, true, m_ctx);
    main.ShowStatus(QStringLiteral("Ready"), Interface::Lamp::Ready);
    accept();
}
