#pragma once

#include "datafile/DataRecord.h"
#include "datafile/FileError.h"
#include "datafile/RecordCodec.h"

#include <QString>

#include <functional>

// The walk of a browser window over one kind of entry: Next, Previous, the
// search and the re-read after a delete. Windows turn each outcome into their
// own texts and messages.
class BrowserWalk
{
public:
    using Predicate = std::function<bool(const RecordView &)>;

    struct Kind {
        Predicate shown;     // records the window shows when walking
        Predicate searched;  // records a search or a re-read may land on
        int firstNameField;  // fields compared with a search text
        int secondNameField; // -1 when only one
    };
    static Kind items();
    static Kind customers();
    static Kind cashiers();

    enum class Outcome {
        Shown,        // `record` is shown at CurrentRecord
        Blank,        // the blank record past the last entry; AtEnd is true
        NoMore,       // Next while AtEnd: "There are no more ... in the database"
        AtBeginning,  // Previous found nothing before: state unchanged
        DatabaseFull, // Next on the last possible record; or "*" on a full file
        NotFound,     // search without a match
        Nothing,      // search for "", "***" or "*+*": nothing to do
    };
    struct Step {
        Outcome outcome = Outcome::Nothing;
        DataRecord record; // for Shown
    };

    BrowserWalk(QString path, Kind kind);

    int CurrentRecord = FirstEntryRecord;
    bool AtEnd = false;

    // Where a window starts: the first record of its kind from 21 on, or the blank record.
    Result<Step> first();
    Result<Step> next();
    Result<Step> previous();
    // `text` is upper-cased here. "*" shows the blank record past the end.
    Result<Step> search(const QString &text);
    // After DeleteRecord(CurrentRecord): the first searched-kind record from CurrentRecord on.
    Result<Step> afterDelete();

private:
    // Stands on `record` and hands it out to be shown.
    Step show(int record, const DataRecord &data);
    // Stands on the blank record after the last of `count` records (at
    // `lowest` or later) when the file may still grow there.
    Step blankAfter(int count, bool pastLast, int lowest);

    QString m_path;
    Kind m_kind;
};
