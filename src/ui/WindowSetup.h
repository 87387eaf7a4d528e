#pragma once

class QDialog;
class QWidget;

// Every window but the main one: a fixed dialog border without minimize or
// maximize button, the main window's icon, centred on the screen.
void prepareDialog(QDialog *dialog, QWidget *mainWindow);

// Centres a window on the screen it is on.
void centreOnScreen(QWidget *window);
