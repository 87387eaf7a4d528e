// Writes any bytes as a datafile and works on it as the program does: the
// open check, reading every record, the scans both ways, the browser walks,
// the searches and the pick lists; then a write and a delete. A file that the
// open check refuses must be refused by everything else with the same number
// and left as it was; one that it accepts must stay a datafile.

#include "FuzzCheck.h"

#include "datafile/DataFile.h"
#include "datafile/EntryWalk.h"
#include "datafile/PickList.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {


void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(::write(fd, data, size) == ssize_t(size));
    ::close(fd);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void walk(const QString &path, EntryWalk::Kind kind, int count)
{
    EntryWalk w(path, std::move(kind));
    if (!w.first())
        return;
    for (int i = 0; i <= count + 1; ++i) {
        const Result<EntryWalk::Step> step = w.next();
        if (!step || step->outcome != EntryWalk::Outcome::Shown)
            break;
        FUZZ_CHECK(w.CurrentRecord >= FirstEntryRecord && w.CurrentRecord <= count);
    }
    for (int i = 0; i <= count + 1; ++i) {
        const Result<EntryWalk::Step> step = w.previous();
        if (!step || step->outcome != EntryWalk::Outcome::Shown)
            break;
        FUZZ_CHECK(w.CurrentRecord >= FirstEntryRecord && w.CurrentRecord <= count);
    }
    (void)w.search(QStringLiteral("APPLE"));
    (void)w.search(QStringLiteral("*"));
    (void)w.afterDelete();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzzFolder() + QStringLiteral("/fuzz.tb2");
    writeFile(path, data, size);
    const QByteArray original(reinterpret_cast<const char *>(data), qsizetype(size));
    const RecordStore store(path);

    const FileError check = store.testDatafile();
    DataRecord plum;
    plum.Name = FieldValue::fromText(QStringLiteral("PLUM"));

    if (check != FileError::None) {
        FUZZ_CHECK(store.writeRecord(FirstEntryRecord, plum) == check);
        FUZZ_CHECK(store.writeRecord(1, plum) == check);
        FUZZ_CHECK(store.DeleteRecord(FirstEntryRecord) == check);
        FUZZ_CHECK(store.NextFreeRecord().error() == check);
        FUZZ_CHECK(PickList::read(path, PickList::Mode::Items).error() == check);
        FUZZ_CHECK(readFile(path) == original);
        return 0;
    }

    DataFile file(path);
    FUZZ_CHECK(file.open(DataFile::Mode::Read) == FileError::None);
    const int count = file.recordCount();
    FUZZ_CHECK(count == int(size / RecordLength));
    FUZZ_CHECK(file.partialBytes() == int(size % RecordLength));
    std::vector<FileError> errors;
    for (int n = 1; n <= count; ++n)
        errors.push_back(file.read(n).error());
    FUZZ_CHECK(file.read(count + 1).error() == FileError::ReadPastEnd && file.atEnd());
    int seen = 0;
    FUZZ_CHECK(file.scan(1, [&](int n, const RecordView &view) {
        FUZZ_CHECK(n == ++seen);
        FUZZ_CHECK(view.bytes().size() == RecordLength);
        FUZZ_CHECK(view.decode().error() == errors[size_t(n - 1)]);
        return true;
    }) == FileError::None);
    FUZZ_CHECK(seen == count);
    FUZZ_CHECK(file.scanBack(count, [&](int n, const RecordView &) { return n == seen--; })
               == FileError::None);
    FUZZ_CHECK(seen == 0);
    file.close();

    walk(path, EntryWalk::items(), count);
    walk(path, EntryWalk::customers(), count);
    walk(path, EntryWalk::cashiers(), count);
    (void)PickList::read(path, PickList::Mode::Items);
    (void)PickList::read(path, PickList::Mode::Customers);
    (void)store.findFirst(FirstEntryRecord, Kinds::isCashier);
    FUZZ_CHECK(readFile(path) == original);

    // An append overwrites a partial record; the file stays whole records.
    if (count < MaxRecords) {
        FUZZ_CHECK(store.writeRecord(count + 1, plum) == FileError::None);
        const QByteArray after = readFile(path);
        FUZZ_CHECK(after.size() == qsizetype(count + 1) * RecordLength);
        FUZZ_CHECK(after.left(qsizetype(count) * RecordLength)
                   == original.left(qsizetype(count) * RecordLength));
        FUZZ_CHECK(store.testDatafile() == FileError::None);
        if (count + 1 >= FirstEntryRecord) {
            FUZZ_CHECK(store.DeleteRecord(count + 1) == FileError::None);
            FUZZ_CHECK(readFile(path) == original.left(qsizetype(count) * RecordLength));
        }
    }
    return 0;
}
