#pragma once

#include "DataRecord.h"
#include "FileError.h"

#include <QString>

// A browser window's walk over the records it shows, one at a time: Next,
// Previous, the search and the re-read after a delete. Windows turn each
// outcome into their own texts and messages.
class RecordWalk
{
public:
    enum class Outcome {
        Shown,         // `record` is shown at CurrentRecord (AtEnd when it is a free slot)
        Blank,         // the blank record past the last entry; AtEnd is true
        NoMore,        // Next while AtEnd: "There are no more ... in the database"
        AtBeginning,   // Previous found nothing before: state unchanged
        DatabaseFull,  // Next on the last possible record, or on a full file
        NoBlankRecord, // search "*" with no room left for a blank record
        NotFound,      // search without a match
        Nothing,       // search for "", "***" or "*+*": nothing to do
    };
    struct Step {
        Outcome outcome = Outcome::Nothing;
        DataRecord record; // for Shown
    };

    virtual ~RecordWalk() = default;

    int CurrentRecord = FirstEntryRecord;
    bool AtEnd = false;

    // The lowest record the walk shows; Previous there has nowhere to go.
    virtual int firstRecord() const = 0;
    // True when AtEnd stands past the last record, so that a save there
    // appends a new record rather than filling the slot it stands on.
    virtual bool appendsAtEnd() const { return false; }

    // Where a window starts.
    virtual Result<Step> first() = 0;
    virtual Result<Step> next() = 0;
    virtual Result<Step> previous() = 0;
    // `text` is upper-cased here. "*" shows the blank record.
    virtual Result<Step> search(const QString &text) = 0;
    // After DeleteRecord(CurrentRecord): what now stands there or after it.
    virtual Result<Step> afterDelete() = 0;

protected:
    static Step outcome(Outcome o)
    {
        Step r;
        r.outcome = o;
        return r;
    }
};
