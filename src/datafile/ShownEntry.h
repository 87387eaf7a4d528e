#pragma once

#include "DataRecord.h"
#include "FileError.h"
#include "RecordWalk.h"

#include <QString>

#include <functional>
#include <optional>

// The entry a browser window shows, as the datafile held it when it was
// shown. It is written back or deleted only while the file still holds it
// there: another till may have changed or moved it since.
class ShownEntry
{
public:
    explicit ShownEntry(QString path) : m_path(std::move(path)) {}

    // After each step of the walk: the stored record now shown, or the blank
    // record, which the file does not hold yet.
    void showing(const DataRecord &stored) { m_stored = stored; }
    void showingBlank() { m_stored.reset(); }

    enum class Saved {
        Written,          // the walk now stands on the record written
        Refused,          // `build` wrote nothing
        ChangedElsewhere, // the file no longer holds the shown record there
        DatabaseFull,     // no room left to append
    };
    // Makes the record to write from the one stored where the walk stands (an
    // empty record when appending), or nullopt to write nothing. It runs while
    // the file is locked, so it must not wait for the user.
    using Build = std::function<std::optional<DataRecord>(const DataRecord &stored)>;
    // Writes the built record, synced, over the shown one; or after the last
    // record when the walk stands on the blank record past the end, since
    // another till may have added a record there since it was shown.
    Result<Saved> save(RecordWalk &walk, const Build &build);
    // Removes the record where the walk stands (every later record moves down
    // by one); false, with nothing changed, when the file no longer holds it
    // as shown or the walk shows the blank record.
    Result<bool> remove(const RecordWalk &walk) const;

private:
    QString m_path;
    std::optional<DataRecord> m_stored;
};
