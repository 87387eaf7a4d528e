#include "SettingsCommands.h"

#include "About1.h"
#include "BillNotes.h"
#include "HeadFoot.h"
#include "HelpFiles.h"
#include "Pref.h"
#include "SetTax.h"
#include "SettingsErrors.h"
#include "app/AppContext.h"
#include "app/Interface.h"
#include "cashier/Access.h"
#include "datafile/RecordStore.h"
#include "ui/Dialogs.h"
#include "ui_Interface.h"

namespace SettingsCommands {

namespace {

// Shows one note in HeadFoot and returns what the user left in it.
QString editNote(Interface &window, const QString &caption, const QString &prompt,
                 const QString &text)
{
    AppContext &ctx = window.context();
    ctx.NoteText = text;
    HeadFoot dialog(ctx, &window);
    dialog.setPrompt(caption, prompt, text);
    dialog.exec();
    return ctx.NoteText;
}

void mnuPref(Interface &window)
{
    if (!checkAccess(window.context(), &window, GuardedCommand::ChangeSettings))
        return;
    Pref dialog(window.context(), &window);
    if (dialog.load())
        dialog.exec();
}

void mnuTax(Interface &window)
{
    if (!checkAccess(window.context(), &window, GuardedCommand::ChangeTax))
        return;
    SetTax dialog(window.context(), &window);
    if (dialog.load())
        dialog.exec();
}

// The check mark of "Sa&ve Transaction to Log" or "&Print upon Transaction
// Completion" mirrors header record 3 or 4; it changes only once the record has.
void toggleSwitch(Interface &window, QAction *action, int record)
{
    AppContext &ctx = window.context();
    // The menu has already moved the mark; it is the record that decides.
    const bool wanted = action->isChecked();
    action->setChecked(!wanted);
    if (!checkAccess(ctx, &window, GuardedCommand::ChangeSettings))
        return;
    const RecordStore store(ctx.DataFilePath);
    DataRecord r;
    FileError error = store.readRecord(record, r);
    if (error == FileError::None) {
        r.Number = FieldValue::fromInt16(wanted ? 1 : 0);
        if (record == 4)
            r.Price = FieldValue::fromInt16(0);
        error = store.writeRecord(record, r);
    }
    if (error != FileError::None) {
        ctx.dialogs->fileError(&window,
                               QStringLiteral("A File I/O Error has occured. Please try again."),
                               errorNumber(error));
        return;
    }
    action->setChecked(wanted);
}

void mnuitmAbout(Interface &window)
{
    About1 dialog(window.context(), &window);
    dialog.exec();
}

} // namespace

void mnuitmPrintSetup(Interface &window)
{
    AppContext &ctx = window.context();
    if (!checkAccess(ctx, &window, GuardedCommand::ChangeSettings))
        return;
    const auto failed = [&](FileError error) {
        ctx.dialogs->critical(&window, QStringLiteral("Critical Error"),
                              QStringLiteral("A error has occured.\nError: ")
                                  + QString::number(errorNumber(error)));
    };

    BillNotes notes;
    if (const FileError error = BillNotes::read(ctx.DataFilePath, notes);
        error != FileError::None) {
        failed(error);
        return;
    }
    notes.header =
        editNote(window, QStringLiteral("Bill Header"),
                 QStringLiteral("Enter the text to appear at the top of the bill."), notes.header);
    notes.footer = editNote(window, QStringLiteral("Bill Footer"),
                            QStringLiteral("Enter the text to appear at the bottom of the bill."),
                            notes.footer);

    QChar bad;
    const FileError error = notes.write(ctx.DataFilePath, &bad);
    if (error == FileError::BadRecordLength) {
        ctx.dialogs->critical(&window, QStringLiteral("Message too long"),
                              QStringLiteral("The combined length of both the header and footer "
                                             "should not be in excess of 107 characters.  Please "
                                             "shorten your message."));
        return;
    }
    if (error == FileError::UnencodableText) {
        ctx.dialogs->unstorableCharacter(&window, bad);
        return;
    }
    if (error != FileError::None) {
        failed(error);
        return;
    }

    if (!ctx.dialogs->askYesNo(&window, QStringLiteral("Change Default Printer Settings"),
                               QStringLiteral("Tallybird will print bills at the time of "
                                              "transaction using your default Windows printer "
                                              "settings. Would you like to change these settings "
                                              "now?")))
        return;
    ctx.dialogs->printerSetup(&window);
    ctx.dialogs->information(&window, QStringLiteral("Printer Setup"),
                             QStringLiteral("Please note that if you change your Windows default "
                                            "printer settings between now and the time of "
                                            "transaction completion, Tallybird will print using "
                                            "those settings instead."));
}

void mnuitmCaption(Interface &window)
{
    AppContext &ctx = window.context();
    if (!HelpFiles::helpPageExists(ctx.ProgramDir)) {
        ctx.dialogs->critical(&window, QStringLiteral("Help File Missing"),
                              QStringLiteral("The Tallybird help file (Tallybird.htm) does not "
                                             "seem to be present in the program's main directory. "
                                             " Please reinstall Tallybird."));
        return;
    }
    // The browser runs on its own; whether it could be started is not known here.
    ctx.dialogs->openUrl(QUrl::fromLocalFile(HelpFiles::helpPage(ctx.ProgramDir)));
}

void mnuitmEmail(AppContext &ctx)
{
    ctx.dialogs->openUrl(HelpFiles::supportMail());
}

void install(Interface &window)
{
    Ui::Interface &ui = window.form();
    QObject::connect(ui.mnuPref, &QAction::triggered, &window, [&window] { mnuPref(window); });
    QObject::connect(ui.mnuTax, &QAction::triggered, &window, [&window] { mnuTax(window); });
    QObject::connect(ui.mnuitmPrintSetup, &QAction::triggered, &window,
                     [&window] { mnuitmPrintSetup(window); });
    QObject::connect(ui.mnuitmCaption, &QAction::triggered, &window,
                     [&window] { mnuitmCaption(window); });
    QObject::connect(ui.mnuitmAbout, &QAction::triggered, &window,
                     [&window] { mnuitmAbout(window); });
    QObject::connect(ui.mnuitmEmail, &QAction::triggered, &window,
                     [&window] { mnuitmEmail(window.context()); });
    QObject::connect(ui.mnuitmSave, &QAction::triggered, &window,
                     [&window, &ui] { toggleSwitch(window, ui.mnuitmSave, 3); });
    QObject::connect(ui.mnuitmPrint, &QAction::triggered, &window,
                     [&window, &ui] { toggleSwitch(window, ui.mnuitmPrint, 4); });
}

} // namespace SettingsCommands
