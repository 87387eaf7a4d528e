#include "BrowserWalk.h"

#include "Cp1252.h"
#include "DataFile.h"
#include "RecordStore.h"

#include <climits>

namespace {

using Outcome = BrowserWalk::Outcome;
using Result = BrowserWalk::Result;

struct Probe {
    int found = 0; // 0: nothing accepted
    DataRecord data;
    int count = 0;         // records in the file
    bool pastLast = false; // the search reached `last` without a match
    FileError error = FileError::None;
};

// The first record from `from` on (up to `last`) that `accept` takes, read in one scan.
Probe findForward(const QString &path, int from, const BrowserWalk::Predicate &accept,
                  int last = INT_MAX)
{
    Probe p;
    DataFile file(path);
    p.error = file.open(DataFile::Mode::Read);
    if (p.error != FileError::None)
        return p;
    p.count = file.recordCount();
    FileError decodeError = FileError::None;
    p.error = file.scan(from, [&](int n, const RecordView &view) {
        if (n > last) {
            p.pastLast = true;
            return false;
        }
        if (!accept(view))
            return true;
        if (auto record = view.decode(&decodeError)) {
            p.found = n;
            p.data = std::move(*record);
        }
        return false;
    });
    if (p.error == FileError::None)
        p.error = decodeError;
    return p;
}

Result errorResult(FileError error)
{
    Result r;
    r.outcome = Outcome::Error;
    r.error = error;
    return r;
}

Result outcome(Outcome o)
{
    Result r;
    r.outcome = o;
    return r;
}

} // namespace

BrowserWalk::Kind BrowserWalk::items()
{
    // Searches and the re-read after a delete may land on a free record.
    return {Kinds::isItem, Kinds::isItemOrFree, 0, 2};
}

BrowserWalk::Kind BrowserWalk::customers()
{
    return {Kinds::isCustomer, Kinds::isCustomer, 2, -1};
}

BrowserWalk::Kind BrowserWalk::cashiers()
{
    return {Kinds::isCashier, Kinds::isCashier, 2, -1};
}

BrowserWalk::BrowserWalk(QString path, Kind kind) : m_path(std::move(path)), m_kind(std::move(kind))
{
}

BrowserWalk::Result BrowserWalk::show(int record, const DataRecord &data)
{
    CurrentRecord = record;
    AtEnd = false;
    Result r;
    r.outcome = Outcome::Shown;
    r.record = data;
    return r;
}

BrowserWalk::Result BrowserWalk::blankAfter(int count, bool pastLast, int lowest)
{
    // A blank record past 32764 could only be saved by growing the file past its limit.
    const int blank = std::max(count + 1, lowest);
    if (pastLast || blank > MaxRecords)
        return outcome(Outcome::DatabaseFull);
    CurrentRecord = blank;
    AtEnd = true;
    return outcome(Outcome::Blank);
}

BrowserWalk::Result BrowserWalk::first()
{
    const Probe p = findForward(m_path, FirstEntryRecord, m_kind.shown, MaxRecords);
    if (p.error != FileError::None)
        return errorResult(p.error);
    if (p.found)
        return show(p.found, p.data);
    return blankAfter(p.count, p.pastLast, FirstEntryRecord);
}

BrowserWalk::Result BrowserWalk::next()
{
    if (AtEnd)
        return outcome(Outcome::NoMore);
    if (CurrentRecord >= MaxRecords)
        return outcome(Outcome::DatabaseFull);

    // Header records carry "***" too; a walk must never land on one.
    const Probe p = findForward(m_path, std::max(CurrentRecord + 1, FirstEntryRecord), m_kind.shown,
                                MaxRecords);
    if (p.error != FileError::None)
        return errorResult(p.error);
    if (p.found)
        return show(p.found, p.data);
    return blankAfter(p.count, p.pastLast, std::max(CurrentRecord + 1, FirstEntryRecord));
}

BrowserWalk::Result BrowserWalk::previous()
{
    if (CurrentRecord <= FirstEntryRecord)
        return outcome(Outcome::AtBeginning);

    DataFile file(m_path);
    FileError error = file.open(DataFile::Mode::Read);
    if (error != FileError::None)
        return errorResult(error);
    int found = 0;
    DataRecord data;
    FileError decodeError = FileError::None;
    error = file.scanBack(CurrentRecord - 1, [&](int n, const RecordView &view) {
        if (n < FirstEntryRecord)
            return false;
        if (!m_kind.shown(view))
            return true;
        if (auto record = view.decode(&decodeError)) {
            found = n;
            data = std::move(*record);
        }
        return false;
    });
    if (error == FileError::None)
        error = decodeError;
    if (error != FileError::None)
        return errorResult(error);
    if (!found)
        return outcome(Outcome::AtBeginning);
    return show(found, data);
}

BrowserWalk::Result BrowserWalk::search(const QString &text)
{
    const QString wanted = text.toUpper();
    if (wanted.isEmpty() || wanted == SharedMarker || wanted == CashierMarker)
        return outcome(Outcome::Nothing);

    if (wanted == QLatin1String("*")) {
        FileError error = FileError::None;
        const int n = RecordStore(m_path).NextFreeRecord(&error);
        if (error != FileError::None)
            return errorResult(error);
        if (n - 1 >= DatabaseFullRecord)
            return outcome(Outcome::DatabaseFull);
        // When Next refuses, the window still shows what it showed before, so
        // CurrentRecord must keep designating that record: a save would
        // otherwise overwrite the last record of the file.
        const int oldRecord = CurrentRecord;
        const bool oldAtEnd = AtEnd;
        CurrentRecord = n - 1;
        Result r = next();
        if (r.outcome != Outcome::Blank && r.outcome != Outcome::Shown) {
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
    const Probe p = findForward(m_path, FirstEntryRecord, [&](const RecordView &view) {
        if (!kind.searched(view))
            return false;
        return view.fieldEquals(kind.firstNameField, wanted, encodedView)
               || (kind.secondNameField >= 0
                   && view.fieldEquals(kind.secondNameField, wanted, encodedView));
    });
    if (p.error != FileError::None)
        return errorResult(p.error);
    if (!p.found)
        return outcome(Outcome::NotFound);
    return show(p.found, p.data);
}

BrowserWalk::Result BrowserWalk::afterDelete()
{
    const Probe p = findForward(m_path, std::max(CurrentRecord, FirstEntryRecord), m_kind.searched);
    if (p.error != FileError::None)
        return errorResult(p.error);
    if (p.found)
        return show(p.found, p.data);
    Result r;
    CurrentRecord = std::max(p.count + 1, FirstEntryRecord);
    AtEnd = true;
    r.outcome = Outcome::Blank;
    return r;
}
