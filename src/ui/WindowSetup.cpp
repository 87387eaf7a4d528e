#include "WindowSetup.h"

#include "app/Interface.h"

#include <QDialog>

void prepareDialog(QDialog *dialog, QWidget *mainWindow)
{
    dialog->setWindowFlags((dialog->windowFlags() | Qt::MSWindowsFixedSizeDialogHint)
                           & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
    dialog->setModal(true);
    if (mainWindow)
        dialog->setWindowIcon(mainWindow->windowIcon());
    dialog->adjustSize();
    dialog->setFixedSize(dialog->sizeHint().expandedTo(dialog->size()));
    centreOnScreen(dialog);
}
