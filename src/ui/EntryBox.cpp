#include "EntryBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

namespace {
class SelectAll : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *box = qobject_cast<QLineEdit *>(watched);
            if (!box)
                box = static_cast<QComboBox *>(watched)->lineEdit();
            box->selectAll();
            // Once more after the click that gave the focus has placed the
            // cursor, unless keys typed since have changed the text: a
            // scanner or a fast typist is already past the first keys.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box, text = box->text()] {
                    if (box->text() == text)
                        box->selectAll();
                });
        }
        return false;
    }
};

class KeypadPoint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString point = QLocale().decimalPoint();
        if (!(key->modifiers() & Qt::KeypadModifier) || key->text() == point
            || (key->text() != QLatin1String(".") && key->text() != QLatin1String(",")))
            return false;
        QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), point, key->isAutoRepeat(),
                        ushort(key->count()));
        QCoreApplication::sendEvent(watched, &typed);
        return true;
    }
};
} // namespace

void EntryBox::upperCase(QLineEdit *box)
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString &text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int cursor = box->cursorPosition();
        box->setText(upper);
        box->setCursorPosition(qMin(cursor, int(upper.size())));
    });
}

void EntryBox::selectAllOnFocus(QLineEdit *box)
{
    box->installEventFilter(new SelectAll(box));
}

void EntryBox::selectAllOnFocus(QComboBox *box)
{
    // The combo box takes the focus and hands it to its line edit by a
    // direct call, past any filter on the line edit.
    box->installEventFilter(new SelectAll(box));
}

void EntryBox::keypadDecimalPoint(QLineEdit *box)
{
    box->installEventFilter(new KeypadPoint(box));
}

void EntryBox::maskWithAsterisks(QLineEdit *box)
{
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42 }"));
}

CheckedBox::CheckedBox(QLineEdit *box, Check accept, Reject reject)
    : QObject(box), m_box(box), m_accept(std::move(accept)), m_reject(std::move(reject)),
      m_textAtFocus(box->text())
{
    box->installEventFilter(this);
    // setText() clears the modified flag before it tells; typing sets it.
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_box->isModified())
            m_textAtFocus = text;
    });
}

bool CheckedBox::s_returning = false;

bool CheckedBox::leave()
{
    if (m_checking)
        return true;
    m_checking = true;
    const bool ok = m_accept(m_box, m_textAtFocus);
    if (!ok) {
        m_reject(m_box);
        m_box->setText(m_textAtFocus);
        // The focus is on its way to the next control; take it back once it
        // has arrived. The box it arrived at is not being left by the user.
        QTimer::singleShot(0, m_box, [box = m_box] {
            s_returning = true;
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            s_returning = false;
        });
    }
    m_checking = false;
    return ok;
}

bool CheckedBox::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (!s_returning)
            m_textAtFocus = m_box->text();
    } else if (event->type() == QEvent::FocusOut && !s_returning && m_box->isVisible()) {
        // Focus that moves to a message box or another window, or away from
        // a window being closed, is not the user leaving the box.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leave();
    }
    return false;
}
