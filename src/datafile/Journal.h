#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The journal beside a datafile ("NAME.tallybird-journal"): a sale's records
// and its log entry land whole with one sync. They are written here and put
// on the disk first; then into the datafile and the log, which are put on
// the disk later. Whatever opens the datafile next (other than another sale)
// replays the journal into both, syncs them and empties the journal, so that
// an operation that writes the datafile on its own never meets a sale the
// journal still holds. After a kill the next open applies what was not yet
// applied; after a power cut, what the datafile lost. An entry replays only
// onto the records it was written over: a datafile put back from a backup
// meanwhile is left alone.
//
// The journal is a fixed region written in place (an overwrite needs no
// change of the file's size on the disk, so its sync is one flush): a head
// with the epoch (entries of an older one are void) and how far the entries
// were applied, then the entries, each with its number and a checksum.
// Only the program that holds the datafile's lock touches it.
class Journal
{
public:
    // A text file written with the records: bytes at an offset.
    struct SideWrite {
        QString path;
        qint64 offset = 0;
        QByteArray bytes;
    };
    // A record as written, and what it overwrote (none: appended).
    struct Put {
        int record = 0;
        QByteArray after;
        std::optional<QByteArray> before;
    };
    struct Entry {
        QList<Put> records;
        std::optional<SideWrite> side;
    };

    // What an open finds waiting.
    enum class Waiting {
        Nothing,   // no journal, or an empty one
        Unsynced,  // entries applied but not yet synced into the datafile
        Unapplied, // an entry stored but not applied: its program was killed
        Restarted, // entries from before the machine restarted, or from
                   // another machine: replayed in full to be sure
    };

    explicit Journal(const QByteArray &nativeDatafilePath);
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    Waiting look();
    // Applies every entry to the datafile (`datafd`) and its side files, puts
    // them on the disk and empties the journal.
    FileError checkpoint(int datafd);
    // Applies the entries not yet applied, without a sync.
    FileError applyUnapplied(int datafd);
    // Notes where a side write is about to go (its path and offset), before
    // it is made: a program killed before commit() has it taken back by the
    // next open.
    FileError intend(const SideWrite &where);
    // Stores an entry and puts it on the disk; then the caller applies it and
    // calls applied(), or discard() when applying failed (which also drops
    // an intent never committed).
    FileError commit(const Entry &entry, int datafd);
    void applied();
    FileError discard();
    // An emptied datafile starts an empty journal.
    FileError reset();

private:
    struct Head {
        quint64 epoch = 0;
        quint32 applied = 0; // entries applied so far
        qint64 next = 0;     // where the next entry goes
        QByteArray boot;     // the machine and its start when they were applied
    };
    struct Stored {
        Entry entry;
        QByteArray machine;
        qint64 length = 0;
    };
    // The entry (or with its magic, the intent) stored at an offset.
    std::optional<Stored> entryAt(qint64 offset, quint32 seq, quint32 magic) const;
    FileError replay(int datafd, qint64 from, quint32 seq, bool sync);
    FileError writeHead(const Head &head, bool sync);
    FileError create();

    QByteArray m_path;
    int m_fd = -1;
    Head m_head;
    std::optional<std::pair<qint64, qint64>> m_committed; // offset, length
};
