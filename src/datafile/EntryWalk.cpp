#include "EntryWalk.h"

#include "Cp1252.h"
#include "DataFile.h"
#include "RecordStore.h"

#include <climits>

namespace {

using Outcome = EntryWalk::Outcome;
using Step = EntryWalk::Step;

struct Probe {
    int found = 0; // 0: nothing accepted
    DataRecord data;
    int count = 0;         // records in the file
    bool pastLast = false; // the search reached `last` without a match
};

// The first record from `from` on (up to `last`) that `accept` takes, read in one scan.
Result<Probe> findForward(const QString &path, int from, const EntryWalk::Predicate &accept,
                          int last = INT_MAX)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    const Result<RecordStore::Found> found = RecordStore::findFirst(file, from, last, accept);
    if (!found)
        return found.error();
    Probe p;
    p.count = file.recordCount();
    p.found = found->record;
    p.data = found->data;
    p.pastLast = !p.found && p.count > last && p.count >= from;
    return p;
}

} // namespace

EntryWalk::Kind EntryWalk::items()
{
    // Searches and the re-read after a delete may land on a free record.
    return {Kinds::isItem, Kinds::isItemOrFree, 0, 2};
}

EntryWalk::Kind EntryWalk::customers()
{
    return {Kinds::isCustomer, Kinds::isCustomer, 2, -1};
}

EntryWalk::Kind EntryWalk::cashiers()
{
    return {Kinds::isCashier, Kinds::isCashier, 2, -1};
}

EntryWalk::EntryWalk(QString path, Kind kind) : m_path(std::move(path)), m_kind(std::move(kind)) {}

EntryWalk::Step EntryWalk::show(int record, const DataRecord &data)
{
    CurrentRecord = record;
    AtEnd = false;
    Step r;
    r.outcome = Outcome::Shown;
    r.record = data;
    return r;
}

EntryWalk::Step EntryWalk::blankAfter(int count, bool pastLast, int lowest)
{
    // A blank record past 32764 could only be saved by growing the file past its limit.
    const int blank = std::max(count + 1, lowest);
    if (pastLast || blank > MaxRecords)
        return outcome(Outcome::DatabaseFull);
    CurrentRecord = blank;
    AtEnd = true;
    return outcome(Outcome::Blank);
}

Result<EntryWalk::Step> EntryWalk::first()
{
    const Result<Probe> found = findForward(m_path, FirstEntryRecord, m_kind.shown, MaxRecords);
    if (!found)
        return found.error();
    const Probe &p = *found;
    if (p.found)
        return show(p.found, p.data);
    return blankAfter(p.count, p.pastLast, FirstEntryRecord);
}

Result<EntryWalk::Step> EntryWalk::next()
{
    if (AtEnd)
        return outcome(Outcome::NoMore);
    if (CurrentRecord >= MaxRecords)
        return outcome(Outcome::DatabaseFull);

    // Header records carry "***" too; a walk must never land on one.
    const Result<Probe> found = findForward(m_path, std::max(CurrentRecord + 1, FirstEntryRecord),
                                            m_kind.shown, MaxRecords);
    if (!found)
        return found.error();
    const Probe &p = *found;
    if (p.found)
        return show(p.found, p.data);
    return blankAfter(p.count, p.pastLast, std::max(CurrentRecord + 1, FirstEntryRecord));
}

Result<EntryWalk::Step> EntryWalk::previous()
{
    if (CurrentRecord <= FirstEntryRecord)
        return outcome(Outcome::AtBeginning);

    DataFile file(m_path);
    FileError error = file.open(DataFile::Mode::Read);
    if (error != FileError::None)
        return error;
    int found = 0;
    DataRecord data;
    FileError decodeError = FileError::None;
    error = file.scanBack(CurrentRecord - 1, [&](int n, const RecordView &view) {
        if (n < FirstEntryRecord)
            return false;
        if (!m_kind.shown(view))
            return true;
        Result<DataRecord> record = view.decode();
        if (record) {
            found = n;
            data = std::move(*record);
        } else {
            decodeError = record.error();
        }
        return false;
    });
    if (error == FileError::None)
        error = decodeError;
    if (error != FileError::None)
        return error;
    if (!found)
        return outcome(Outcome::AtBeginning);
    return show(found, data);
}

Result<EntryWalk::Step> EntryWalk::search(const QString &text)
{
    const QString wanted = text.toUpper();
    if (wanted.isEmpty() || wanted == SharedMarker || wanted == CashierMarker)
        return outcome(Outcome::Nothing);

    if (wanted == QLatin1String("*")) {
        const Result<int> next = RecordStore(m_path).NextFreeRecord();
        if (!next)
            return next.error();
        const int n = *next;
        if (n - 1 >= DatabaseFullRecord)
            return outcome(Outcome::NoBlankRecord);
        // When Next refuses, the window still shows what it showed before, so
        // CurrentRecord must keep designating that record: a save would
        // otherwise overwrite the last record of the file.
        const int oldRecord = CurrentRecord;
        const bool oldAtEnd = AtEnd;
        CurrentRecord = n - 1;
        Result<Step> r = this->next();
        if (!r || (r->outcome != Outcome::Blank && r->outcome != Outcome::Shown)) {
            CurrentRecord = oldRecord;
            AtEnd = oldAtEnd;
        }
        return r;
    }

    // A text that cannot be stored is in no record; compared as empty bytes
    // it would find records whose name is "".
    const auto encoded = Cp1252::encode(wanted);
    if (!encoded)
        return outcome(Outcome::NotFound);
    const QByteArrayView encodedView(*encoded);
    const Kind &kind = m_kind;
    const Result<Probe> found = findForward(m_path, FirstEntryRecord, [&](const RecordView &view) {
        // Items are searched by name and number: one pass over both, and
        // the kind only looked at for a match.
        if (kind.firstNameField == 0 && kind.secondNameField == 2)
            return view.nameOrNumberEquals(wanted, encodedView) && kind.searched(view);
        if (!kind.searched(view))
            return false;
        return view.fieldEquals(kind.firstNameField, wanted, encodedView)
               || (kind.secondNameField >= 0
                   && view.fieldEquals(kind.secondNameField, wanted, encodedView));
    });
    if (!found)
        return found.error();
    const Probe &p = *found;
    if (!p.found)
        return outcome(Outcome::NotFound);
    return show(p.found, p.data);
}

Result<EntryWalk::Step> EntryWalk::afterDelete()
{
    const Result<Probe> found =
        findForward(m_path, std::max(CurrentRecord, FirstEntryRecord), m_kind.searched);
    if (!found)
        return found.error();
    const Probe &p = *found;
    if (p.found)
        return show(p.found, p.data);
    CurrentRecord = std::max(p.count + 1, FirstEntryRecord);
    AtEnd = true;
    return outcome(Outcome::Blank);
}
