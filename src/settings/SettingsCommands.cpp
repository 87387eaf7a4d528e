#include "SettingsCommands.h"

#include "About1.h"
#include "DrawerSetup.h"
#include "HeadFoot.h"
#include "HelpFiles.h"
#include "Pref.h"
#include "SetTax.h"
#include "SettingsErrors.h"
#include "cashier/Access.h"
#include "datafile/ShopFile.h"
#include "datafile/StoredText.h"
#include "ui/AppContext.h"
#include "ui/Dialogs.h"
#include "ui/MainWindowAccess.h"

#include <QFile>
#include <QFileInfo>

namespace SettingsCommands {

namespace {

QWidget *mainWidget(AppContext &ctx)
{
    return ctx.mainWindow->widget();
}

// Shows one note in HeadFoot and returns what the user left in it.
QString editNote(AppContext &ctx, const QString &caption, const QString &prompt,
                 const QString &text)
{
    ctx.NoteText = text;
    HeadFoot dialog(ctx, mainWidget(ctx));
    dialog.setPrompt(caption, prompt, text);
    dialog.exec();
    return ctx.NoteText;
}

} // namespace

bool mnuPref(AppContext &ctx)
{
    if (!checkAccess(ctx, mainWidget(ctx), GuardedCommand::ChangeSettings))
        return false;
    Pref dialog(ctx, mainWidget(ctx));
    return dialog.load() && dialog.exec() == QDialog::Accepted;
}

std::optional<bool> mnuTax(AppContext &ctx)
{
    if (!checkAccess(ctx, mainWidget(ctx), GuardedCommand::ChangeTax))
        return std::nullopt;
    SetTax dialog(ctx, mainWidget(ctx));
    if (!dialog.load())
        return std::nullopt;
    dialog.exec();
    return dialog.noTaxShown();
}

void mnuitmLogSetup(AppContext &ctx)
{
    QWidget *parent = mainWidget(ctx);
    if (!checkAccess(ctx, parent, GuardedCommand::ChangeSettings))
        return;
    const ShopFile shop(ctx.DataFilePath);
    const Result<QString> logFile = shop.logFile();
    if (!logFile) {
        ctx.dialogs->ioError(parent, errorNumber(logFile.error()));
        return;
    }
    const QString &current = *logFile;
    const QString newOrAppend = QStringLiteral(
        " Do you wish to create a new log file, or append to an existing one?  Choose 'yes' to "
        "create a new file, 'no' to append.");
    bool startNew = false;
    if (current.isEmpty()) {
        startNew = ctx.dialogs->askYesNo(
            parent, QStringLiteral("Log File"),
            QStringLiteral("There is currently no log file associated with this database.")
                + newOrAppend);
    } else {
        if (!ctx.dialogs->askYesNo(parent, QStringLiteral("Redefine Log File"),
                                   QStringLiteral("The file ") + current
                                       + QStringLiteral(" is currently associated with this "
                                                        "database.  Do you wish to redefine the "
                                                        "log file?")))
            return;
        startNew = ctx.dialogs->askYesNo(parent, QStringLiteral("Log File"), newOrAppend);
    }

    QString path;
    if (startNew) {
        path =
            ctx.dialogs->saveFileName(parent, QStringLiteral("Text File (*.txt);;All Files (*)"));
        if (path.isEmpty())
            return;
        if (QFileInfo::exists(path)) {
            if (!ctx.dialogs->askYesNo(parent, QStringLiteral("Overwrite"),
                                       QStringLiteral("This file already exists.  Do you wish to "
                                                      "overwrite?")))
                return;
            if (!QFile::remove(path)) {
                ctx.dialogs->ioError(parent, errorNumber(FileError::PermissionDenied));
                return;
            }
        }
    } else {
        path = ctx.dialogs->openFileName(parent,
                                         QStringLiteral("Text Files Files (*.txt);;All Files (*)"));
        if (path.isEmpty())
            return;
    }

    if (const auto bad = StoredText::firstRefused(path)) {
        ctx.dialogs->unstorableCharacter(parent, *bad);
        return;
    }
    const FileError error = shop.setLogFile(path, startNew);
    if (error != FileError::None) {
        ctx.dialogs->writeFailed(parent, error);
        return;
    }
    ctx.LogFilePath = path;
}

bool toggleSwitch(AppContext &ctx, Switch which, bool wanted)
{
    QWidget *parent = mainWidget(ctx);
    if (!checkAccess(ctx, parent, GuardedCommand::ChangeSettings))
        return !wanted;
    const FileError error = ShopFile(ctx.DataFilePath).setSwitch(which, wanted);
    if (error != FileError::None) {
        ctx.dialogs->ioError(parent, errorNumber(error));
        return !wanted;
    }
    return wanted;
}

void mnuitmAbout(AppContext &ctx)
{
    About1 dialog(ctx, mainWidget(ctx));
    dialog.exec();
}

void mnuitmPrintSetup(AppContext &ctx)
{
    QWidget *window = mainWidget(ctx);
    if (!checkAccess(ctx, window, GuardedCommand::ChangeSettings))
        return;
    const auto failed = [&](FileError error) {
        ctx.dialogs->critical(window, QStringLiteral("Critical Error"),
                              QStringLiteral("A error has occured.\nError: ")
                                  + QString::number(errorNumber(error)));
    };

    Result<BillNotes> read = ShopFile(ctx.DataFilePath).billNotes();
    if (!read) {
        failed(read.error());
        return;
    }
    BillNotes &notes = *read;
    // Notes that cannot be stored come back in the editors as typed, to be
    // shortened or mended.
    for (FileError error = FileError::BadRecordLength; error != FileError::None;) {
        notes.header = editNote(ctx, QStringLiteral("Bill Header"),
                                QStringLiteral("Enter the text to appear at the top of the bill."),
                                notes.header);
        notes.footer = editNote(
            ctx, QStringLiteral("Bill Footer"),
            QStringLiteral("Enter the text to appear at the bottom of the bill."), notes.footer);
        error = ShopFile(ctx.DataFilePath).setBillNotes(notes);
        if (error == FileError::BadRecordLength)
            ctx.dialogs->critical(window, QStringLiteral("Message too long"),
                                  QStringLiteral("The combined length of both the header and "
                                                 "footer should not be in excess of 107 "
                                                 "characters.  Please shorten your message."));
        else if (error == FileError::UnencodableText)
            ctx.dialogs->unstorableCharacter(window, notes.unstorableCharacter().value_or(QChar()));
        else if (error != FileError::None) {
            failed(error);
            return;
        }
    }

    if (!ctx.dialogs->askYesNo(window, QStringLiteral("Change Default Printer Settings"),
                               QStringLiteral("Tallybird will print bills at the time of "
                                              "transaction using your default Windows printer "
                                              "settings. Would you like to change these settings "
                                              "now?")))
        return;
    ctx.dialogs->printerSetup(window);
    ctx.dialogs->information(window, QStringLiteral("Printer Setup"),
                             QStringLiteral("Please note that if you change your Windows default "
                                            "printer settings between now and the time of "
                                            "transaction completion, Tallybird will print using "
                                            "those settings instead."));
}

void mnuitmDrawerSetup(AppContext &ctx)
{
    if (!checkAccess(ctx, mainWidget(ctx), GuardedCommand::ChangeSettings))
        return;
    DrawerSetup dialog(ctx, mainWidget(ctx));
    dialog.exec();
}

void mnuitmCaption(AppContext &ctx)
{
    if (!HelpFiles::helpPageExists(ctx.ProgramDir)) {
        ctx.dialogs->critical(mainWidget(ctx), QStringLiteral("Help File Missing"),
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

} // namespace SettingsCommands
