#pragma once

#include "DataRecord.h"

#include <QChar>
#include <QString>

#include <optional>

// The bill header and footer of header record 5, as the editor shows them.
// On disk a line break is CR LF, as the bill printer and earlier versions
// expect; in the editor it is "\n".
struct BillNotes {
    QString header;
    QString footer; // a stored 0 (as created) is shown as an empty footer

    static BillNotes fromRecord(const DataRecord &record);
    DataRecord toRecord() const;
    // The first character of the notes that may not be stored: one Windows-1252
    // lacks, or a control character other than a line break.
    std::optional<QChar> unstorableCharacter() const;

    static QString toEditor(const QString &stored);
    static QString toStored(const QString &edited);
};
