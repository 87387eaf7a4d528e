#pragma once

#include "RecordWalk.h"

// The walk over the four foreign-currency slots. A free slot is shown as it
// is stored, with AtEnd set: a save there adds a currency. There is no
// delete, and no fifth slot.
class CurrencySlotWalk : public RecordWalk
{
public:
    explicit CurrencySlotWalk(QString path);

    int firstRecord() const override;
    Result<Step> first() override;
    // Past the last slot: DatabaseFull, and the walk stays where it was.
    Result<Step> next() override;
    Result<Step> previous() override;
    // "*": the first free slot, or NoBlankRecord when all four are used.
    // Any other text is compared with each slot's name and with its symbol
    // in capitals.
    Result<Step> search(const QString &text) override;
    // The slot at CurrentRecord again.
    Result<Step> afterDelete() override;

private:
    Result<Step> showSlot(int record);

    QString m_path;
};
