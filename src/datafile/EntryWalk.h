#pragma once

#include "RecordWalk.h"

#include "RecordCodec.h"

#include <QString>

#include <functional>

// The walk over one kind of entry (items, customers or cashiers), from
// record 21 to the end of the file.
class EntryWalk : public RecordWalk
{
public:
    using Predicate = std::function<bool(const RecordView &)>;
    // Plain functions: a search calls them for every record of the file.
    using KindTest = bool (*)(const RecordView &);

    struct Kind {
        KindTest shown;      // records the window shows when walking
        KindTest searched;   // records a search or a re-read may land on
        int firstNameField;  // fields compared with a search text
        int secondNameField; // -1 when only one
    };
    static Kind items();
    static Kind customers();
    static Kind cashiers();

    EntryWalk(QString path, Kind kind);

    int firstRecord() const override { return FirstEntryRecord; }
    bool appendsAtEnd() const override { return true; }
    // The first record of its kind from 21 on, or the blank record.
    Result<Step> first() override;
    Result<Step> next() override;
    Result<Step> previous() override;
    // "*" shows the blank record past the end.
    Result<Step> search(const QString &text) override;
    // The first searched-kind record from CurrentRecord on.
    Result<Step> afterDelete() override;

private:
    // Stands on `record` and hands it out to be shown.
    Step show(int record, const DataRecord &data);
    // Stands on the blank record after the last of `count` records (at
    // `lowest` or later) when the file may still grow there.
    Step blankAfter(int count, bool pastLast, int lowest);

    QString m_path;
    Kind m_kind;
};
