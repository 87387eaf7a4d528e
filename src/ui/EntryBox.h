#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;

// Behaviour shared by the program's entry boxes.
namespace EntryBox {

// Turns every typed letter into a capital as it is typed.
void upperCase(QLineEdit *box);
// Selects the whole text whenever the box gets the focus.
void selectAllOnFocus(QLineEdit *box);
void selectAllOnFocus(QComboBox *box);
// The keypad's decimal key types the locale's decimal separator, whichever
// one the keyboard layout gives it.
void keypadDecimalPoint(QLineEdit *box);
// A hidden PIN shows one "*" per character, whatever the style's own mark.
void maskWithAsterisks(QLineEdit *box);

} // namespace EntryBox

// A box whose text is checked when the user leaves it: it remembers its text
// when it gets the focus, and whenever the window puts a text in it (a record
// shown while the focus stays in the box); when it loses the focus with a
// text `accept` rejects, `reject` is called (it shows the message), the
// remembered text is put back and the box takes the focus again. `accept` may
// rewrite the text (a money box shows its value in the currency format).
class CheckedBox : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<bool(QLineEdit *box, const QString &textAtFocus)>;
    using Reject = std::function<void(QLineEdit *box)>;

    CheckedBox(QLineEdit *box, Check accept, Reject reject);
    QString textAtFocus() const { return m_textAtFocus; }
    // Runs the check as leaving the box does; false when the text was rejected.
    bool leave();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_box;
    Check m_accept;
    Reject m_reject;
    QString m_textAtFocus;
    bool m_checking = false;
    static bool s_returning; // the focus is being given back to a rejected box
};
