#pragma once

#include "TillSettings.h"
#include "datafile/FileError.h"
#include "datafile/StoredText.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QWidget;

// Every message box, input box, file dialog, printer service and launch of
// another program goes through this interface, so that the windows never talk
// to the platform directly and tests can answer and record every box.
class Dialogs
{
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                           Buttons buttons) = 0;
    // nullopt on Cancel.
    virtual std::optional<QString> inputBox(QWidget *parent, const QString &title,
                                            const QString &prompt, const QString &defaultText) = 0;
    // "" on Cancel. `filter` uses Qt's form: "Tallybird Files (*.tb2);;All Files (*)".
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &filter) = 0;
    // The printer setup dialog; false on Cancel. The choice is kept for this
    // till (TillSettings).
    virtual bool printerSetup(QWidget *parent) = 0;
    // Prints the lines on the till's printer as one document named `jobName`,
    // laid out for its paper; false when there is no printer or the print
    // system refuses the job.
    virtual bool printLines(const QStringList &lines, const QString &jobName) = 0;
    // Opens the cash drawer the way `till` says: a pulse sent as a raw job to
    // the till's printer, or its command run (which must succeed); false
    // when it could not be done. With no drawer there is nothing to open.
    virtual bool openDrawer(const TillSettings &till) = 0;
    // Opens a file or a mailto: link in the user's program for it, without waiting.
    virtual bool openUrl(const QUrl &url) = 0;

    void critical(QWidget *parent, const QString &title, const QString &text)
    {
        message(parent, Icon::Critical, title, text, Buttons::Ok);
    }
    void information(QWidget *parent, const QString &title, const QString &text)
    {
        message(parent, Icon::Information, title, text, Buttons::Ok);
    }
    // A file error: the message, then the error number on a line of its own.
    void fileError(QWidget *parent, const QString &text, int errorNumber)
    {
        const QString busy = QStringLiteral("\nAnother till or program is using the datafile. "
                                            "Please try again in a moment.");
        critical(parent, QStringLiteral("File I/O Error"),
                 text + (errorNumber == int(FileError::Locked) ? busy : QString())
                     + QStringLiteral("\nError: ") + QString::number(errorNumber));
    }
    // The file error most operations report.
    void ioError(QWidget *parent, int errorNumber)
    {
        fileError(parent, QStringLiteral("A File I/O Error has occured. Please try again."),
                  errorNumber);
    }
    // A write that failed: a record past its 128 bytes is "Record too Long",
    // anything else the file error.
    void writeFailed(QWidget *parent, FileError error)
    {
        if (error == FileError::BadRecordLength)
            recordTooLong(parent);
        else
            ioError(parent, errorNumber(error));
    }
    // The log is on and names no file.
    void noLogFile(QWidget *parent)
    {
        critical(parent, QStringLiteral("No Log File"),
                 QStringLiteral("No log file defined. Please define a log file, or turn of the "
                                "'Save Transaction to Log' option."));
    }
    void logFileError(QWidget *parent, int errorNumber)
    {
        critical(parent, QStringLiteral("Log File Error"),
                 QStringLiteral("There has been an error saving to the log file. Please check "
                                "your file settings and try again.\nError: ")
                     + QString::number(errorNumber));
    }
    void printerError(QWidget *parent, int errorNumber)
    {
        critical(parent, QStringLiteral("Printer Error"),
                 QStringLiteral("There has been an error printing the bill. Please check your "
                                "printer settings and try again.\nError: ")
                     + QString::number(errorNumber));
    }
    // No room for another entry in the datafile at `path`.
    static QString databaseFullText(const QString &path)
    {
        return QStringLiteral("The current database is full. The combined total of all entries "
                              "in this file (")
               + path
               + QStringLiteral(") must not be in excess of 32,744 entries. Please delete some "
                                "records.");
    }
    void databaseFull(QWidget *parent, const QString &path)
    {
        critical(parent, QStringLiteral("Database is Full"), databaseFullText(path));
    }
    // A character the datafile's Windows-1252 text cannot hold, or a control
    // character, named by its code as it shows as nothing; nothing is stored.
    void unstorableCharacter(QWidget *parent, QChar character)
    {
        const QString named =
            StoredText::isControl(character)
                ? QStringLiteral("control character U+")
                      + QString::number(character.unicode(), 16).rightJustified(4, u'0').toUpper()
                : QStringLiteral("character '") + character + QLatin1Char('\'');
        critical(parent, QStringLiteral("Invalid Character"),
                 QStringLiteral("The ") + named
                     + QStringLiteral(" cannot be stored in the datafile. Please use another "
                                      "character."));
    }
    // A record too long for its 128 bytes; nothing is stored.
    void recordTooLong(QWidget *parent)
    {
        critical(parent, QStringLiteral("Record too Long"),
                 QStringLiteral("This record is too long!  Try shortening some of the fields."));
    }
    // The record of the cashier on duty is gone (deleted while they were on
    // duty); `outcome` says what was therefore left undone.
    void cashierGone(QWidget *parent, const QString &name, const QString &outcome)
    {
        critical(parent, QStringLiteral("Cashier not Found"),
                 QStringLiteral("The record of the cashier logged on, \"") + name
                     + QStringLiteral("\", is no longer in the datafile. ") + outcome);
    }
    bool askYesNo(QWidget *parent, const QString &title, const QString &text)
    {
        return message(parent, Icon::Question, title, text, Buttons::YesNo) == Answer::Yes;
    }
};
