#pragma once

#include "datafile/FileError.h"

#include <QChar>
#include <QString>

// The bill header and footer of header record 5, as the editor shows them.
// On disk a line break is CR LF, as the bill printer and earlier versions
// expect; in the editor it is "\n".
struct BillNotes {
    QString header;
    QString footer; // a stored 0 (as created) is shown as an empty footer

    static FileError read(const QString &path, BillNotes &out);
    // Encodes record 5 first and writes nothing when it does not fit
    // (BadRecordLength) or holds a character Windows-1252 lacks
    // (UnencodableText, the character in `badChar`).
    FileError write(const QString &path, QChar *badChar = nullptr) const;

    static QString toEditor(const QString &stored);
    static QString toStored(const QString &edited);
};
