#include "ShownEntry.h"

#include "RecordStore.h"

Result<ShownEntry::Saved> ShownEntry::save(RecordWalk &walk, const Build &build)
{
    const RecordStore store(m_path);
    std::optional<DataRecord> built;
    int written = walk.CurrentRecord;
    if (!(walk.AtEnd && walk.appendsAtEnd())) {
        bool moved = false;
        const FileError error = store.updateRecord(written, [&](DataRecord &record) {
            moved = m_stored && record != *m_stored;
            if (moved || !(built = build(record)))
                return false;
            record = *built;
            return true;
        });
        if (moved)
            return Saved::ChangedElsewhere;
        if (error != FileError::None)
            return error;
    } else if ((built = build(DataRecord()))) {
        const Result<int> appended = store.append(*built);
        if (!appended)
            return appended.error();
        written = *appended;
    }
    if (!built)
        return Saved::Refused;
    if (written >= DatabaseFullRecord)
        return Saved::DatabaseFull;
    walk.CurrentRecord = written;
    walk.AtEnd = false;
    m_stored = built;
    return Saved::Written;
}

Result<bool> ShownEntry::remove(const RecordWalk &walk) const
{
    if (!m_stored)
        return false;
    return RecordStore(m_path).deleteShown(walk.CurrentRecord, *m_stored);
}
