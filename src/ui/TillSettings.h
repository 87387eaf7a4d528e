#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <optional>

// What this till keeps for itself rather than in the datafile it shares with
// other tills: the receipt printer chosen in Printer Setup, its paper, and
// how the cash drawer beside it opens. Kept in the user's settings of this
// machine.
struct TillSettings {
    struct Paper {
        QString name;
        QSizeF millimetres;
    };
    enum class Drawer { None, Pulse, Command };

    QString printer;            // "": the system's default queue
    std::optional<Paper> paper; // none: the queue's own default paper
    Drawer drawer = Drawer::None;
    QString drawerCommand;

    static TillSettings load();
    void save() const;

    // Receipt paper: a roll no wider than the widest till rolls (112 mm),
    // printed as long as the bill rather than page by page.
    static bool isRoll(const QSizeF &millimetres) { return millimetres.width() <= 120; }
    // ESC p 0 25 250: the receipt printer's kick to the drawer on its first
    // connector, on for 50 ms and off for 500 ms.
    static QByteArray drawerPulse() { return QByteArray("\x1b\x70\x00\x19\xfa", 5); }
};
