#include "Pref.h"

#include "SettingsErrors.h"
#include "datafile/ShopFile.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_Pref.h"

namespace {
const QString NoTransactions =
    QStringLiteral("There have been no previous transactions using this database.");
}

Pref::Pref(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::Pref>())
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &Pref::storePreferences);
    // The same width whichever text the first line shows.
    ui->Label1->setMinimumWidth(ui->Label1->fontMetrics().horizontalAdvance(NoTransactions));
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

Pref::~Pref() = default;

bool Pref::load()
{
    const Result<Preferences> read = ShopFile(m_ctx.DataFilePath).preferences(m_ctx.clock->today());
    if (!read) {
        SettingsErrors::critical(m_ctx, parentWidget(), QStringLiteral("mnuPref"),
                                 QStringLiteral("Interface"), read.error());
        return false;
    }

    const Preferences &prefs = *read;
    (prefs.itemNames ? ui->Option1 : ui->Option2)->setChecked(true);
    (prefs.pickListsEnabled ? ui->Option3 : ui->Option4)->setChecked(true);
    const TransactionLabels &labels = prefs.transactions;
    if (!labels.anyBefore)
        ui->Label1->setText(NoTransactions);
    ui->Label2->setText(labels.last);
    ui->Label4->setText(labels.next);
    return true;
}

void Pref::storePreferences()
{
    Preferences prefs;
    prefs.itemNames = ui->Option1->isChecked();
    prefs.pickListsEnabled = ui->Option3->isChecked();
    if (const FileError error = ShopFile(m_ctx.DataFilePath).setPreferences(prefs);
        error != FileError::None) {
        SettingsErrors::critical(m_ctx, this, QStringLiteral("Command1_Click"),
                                 QStringLiteral("Pref"), error);
        return;
    }
    accept();
}
