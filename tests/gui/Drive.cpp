#include "Drive.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace Drive {

namespace {
template<typename T>
T *child(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    if (!w)
        qFatal("no control named %s", qPrintable(name));
    return w;
}
} // namespace

void type(QWidget *root, const QString &box, const QString &text)
{
    auto *edit = child<QLineEdit>(root, box);
    edit->selectAll();
    edit->del();
    // One key press per character, carrying the character itself, so that
    // letters outside the keyboard's ASCII keys can be typed as well.
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
    }
}

QString text(QWidget *root, const QString &box)
{
    return child<QLineEdit>(root, box)->text();
}

void click(QWidget *root, const QString &button)
{
    QTest::mouseClick(child<QAbstractButton>(root, button), Qt::LeftButton);
}

void check(QWidget *root, const QString &box, bool on)
{
    auto *b = child<QCheckBox>(root, box);
    if (b->isChecked() != on)
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
}

bool isChecked(QWidget *root, const QString &box)
{
    return child<QCheckBox>(root, box)->isChecked();
}

void focus(QWidget *root, const QString &box)
{
    QApplication::setActiveWindow(root->window());
    child<QWidget>(root, box)->setFocus(Qt::MouseFocusReason);
}

void leave(QWidget *root, const QString &box)
{
    focus(root, box);
    QWidget *w = child<QWidget>(root, box);
    QWidget *next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    next->setFocus(Qt::TabFocusReason);
    // A rejected box takes the focus back once the move has finished.
    QCoreApplication::processEvents();
}

void ring(QWidget *mainWindow, const QString &item, const QString &quantity)
{
    QLineEdit *box = child<QComboBox>(mainWindow, QStringLiteral("Combo1"))->lineEdit();
    QApplication::setActiveWindow(mainWindow);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, item);
    auto *count = child<QLineEdit>(mainWindow, QStringLiteral("Text2"));
    count->setFocus();
    count->selectAll();
    QTest::keyClicks(count, quantity);
    QTest::keyClick(count, Qt::Key_Return);
}

void onNextDialog(std::function<void(QDialog *)> step)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, step] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*tries > 500) {
                timer->deleteLater();
                qWarning("no modal dialog appeared");
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        step(dialog);
    });
    timer->start(0);
}

void enterMasterCashier(const QString &name, const QString &pin)
{
    onNextDialog([name, pin](QDialog *d) {
        type(d, QStringLiteral("Text1"), name);
        type(d, QStringLiteral("Text2"), pin);
        for (QCheckBox *box :
             d->findChild<QWidget *>(QStringLiteral("Frame2"))->findChildren<QCheckBox *>())
            box->setChecked(true);
        click(d, QStringLiteral("Command1"));
        d->close();
    });
}

} // namespace Drive
