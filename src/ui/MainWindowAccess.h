#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// What the rest of the program may ask of the main window. The window owns
// its controls and their enabled state; other windows and commands go
// through these functions only.
class MainWindowAccess
{
public:
    enum class Lamp { Busy, Ready };

    virtual ~MainWindowAccess() = default;

    virtual QWidget *widget() = 0;

    // The status text and lamps. The pointer becomes the hourglass when exactly
    // one of `lamp == Busy` and `keepPointer` holds.
    virtual void ShowStatus(const QString &text, Lamp lamp, bool keepPointer) = 0;
    void ShowStatus(const QString &text, Lamp lamp) { ShowStatus(text, lamp, false); }

    // The number of lines on the bill.
    virtual int billLineCount() const = 0;
    // Cancels the whole bill, putting every item's stock back.
    virtual void ClearBill() = 0;

    // The pictures of the browser windows' arrows; the inverted ones are
    // shown while an arrow is held down.
    enum class Arrow { Left, Right, LeftInverted, RightInverted };
    virtual QPixmap arrowPicture(Arrow arrow) const = 0;
};
