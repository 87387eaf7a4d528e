#include "WindowSetup.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

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
