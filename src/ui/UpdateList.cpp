#include "UpdateList.h"

#include "AppContext.h"
#include "Dialogs.h"
#include "datafile/DataRecord.h"
#include "datafile/PickList.h"

#include <QComboBox>
#include <QStringListModel>

#include <algorithm>

void UpdateList(QComboBox *box, bool itemsMode, AppContext &ctx)
{
    box->clear();
    Result<PickList> read =
        PickList::read(ctx.DataFilePath, itemsMode ? PickList::Mode::Items : PickList::Mode::Customers);
    if (!read) {
        ctx.dialogs->critical(box->window(), QStringLiteral("Critical Error"),
                              QStringLiteral("A critical error has occured in procedure UpdateList.\nErr: ")
                                  + QString::number(errorNumber(read.error())));
        return;
    }
    PickList &list = *read;
    if (list.disabled)
        return;

    if (itemsMode) {
        // The item box keeps its entries in alphabetical order.
        std::stable_sort(list.entries.begin(), list.entries.end(),
                         [](const QString &a, const QString &b) {
                             return a.compare(b, Qt::CaseInsensitive) < 0;
                         });
    }
    if (auto *model = qobject_cast<QStringListModel *>(box->model()))
        model->setStringList(list.entries);
    else
        box->addItems(list.entries);
    // An editable box would otherwise show the first entry as typed text.
    if (box->isEditable())
        box->setEditText(QString());
    else
        box->setCurrentIndex(-1);

    if (list.tooMany)
        ctx.dialogs->critical(box->window(), QStringLiteral("Too many items"),
                              QStringLiteral("There are too many items to display in the drop-down "
                                             "pick box. Only the first 32,767 items will be "
                                             "displayed."));
}
