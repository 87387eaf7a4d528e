#pragma once

#include <QTimer>
#include <QWidget>

struct AppContext;
class Interface;
class QLabel;

// The splash window: shows the program's picture while the main window loads,
// then shows the main window and closes itself.
class Title : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TickMs = 5;
    static constexpr int Ticks = 45;

    Title(AppContext &ctx, const QString &commandLine);
    Interface *mainWindow() const { return m_main; }

private:
    void tick();

    QLabel *m_picture;
    Interface *m_main;
    QTimer Timer1;
    int m_count = 0;
};
