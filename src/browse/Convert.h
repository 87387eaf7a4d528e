#pragma once

#include "CurrencyConversion.h"

#include <QDialog>

#include <memory>

namespace Ui {
class Convert;
}
struct AppContext;
class QComboBox;
class QLineEdit;

// "Currency Converter": an amount in one currency shown in another as it is
// typed, either way round.
class Convert : public QDialog
{
    Q_OBJECT

public:
    explicit Convert(AppContext &ctx, QWidget *parent = nullptr);
    ~Convert() override;

    // False when the currencies could not be read.
    bool loadedOk() const { return m_loadedOk; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Side {
        QComboBox *list;
        QLineEdit *box;
        QString name; // the list's label, named in the message
    };
    // The amount of `from` shown in the other side's currency; `typing`: the
    // text is still being typed.
    void convertFrom(const Side &from, const Side &to, bool typing = false);
    CurrencyConversion::Rate rate(const Side &side) const;
    void write(QLineEdit *box, const QString &text);

    AppContext &m_ctx;
    std::unique_ptr<Ui::Convert> ui;
    Side m_a;
    Side m_b;
    bool m_writing = false; // the converter itself is writing a box
    bool m_loadedOk = true;
};
