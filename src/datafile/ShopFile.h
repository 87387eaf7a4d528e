#pragma once

#include "BillNotes.h"
#include "FileError.h"
#include "FileStamp.h"
#include "Preferences.h"
#include "TaxSettings.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// The datafile spoken in meanings: its settings by what they are, not by
// header record and field. Each call opens the file for itself.
class ShopFile
{
public:
    explicit ShopFile(const QString &path);

    // Called with true when an operation starts waiting for another
    // program's lock on the file, and with false when the wait is over.
    static void setLockWaitNotice(std::function<void(bool waiting)> notice);
    FileStamp stamp() const;

    // A new, empty datafile at the path: the header records and no entry.
    FileError createNew(const QDate &today) const;
    // The file at the path moved aside to a dated backup beside it; its name.
    Result<QString> moveAside(const QDateTime &now) const;

    // What the main window takes from a datafile it opens.
    struct LogSettings {
        QString logFile; // "" when none is defined
        bool saveToLog = false;
        bool printBill = false;
    };
    // Tests the file as a datafile first.
    Result<LogSettings> logSettings() const;
    Result<QString> logFile() const;
    // A log file chosen: to be started anew, or appended to.
    FileError setLogFile(const QString &path, bool startNew) const;

    enum class Switch { SaveToLog, PrintBill };
    FileError setSwitch(Switch which, bool on) const;

    // Whether sales go untaxed; nullopt when the setting holds neither answer.
    Result<std::optional<bool>> noTax() const;

    // Each setting is read in one open and written in one, its records
    // together; a text that may not be stored (UnencodableText) or does not
    // fit its record (BadRecordLength) leaves the file as it was.
    Result<TaxSettings> taxSettings() const;
    FileError setTaxSettings(const TaxSettings &tax) const;
    Result<BillNotes> billNotes() const;
    FileError setBillNotes(const BillNotes &notes) const;
    // With the transaction counter's texts for `today`.
    Result<Preferences> preferences(const QDate &today) const;
    FileError setPreferences(const Preferences &preferences) const;

private:
    QString m_path;
};
