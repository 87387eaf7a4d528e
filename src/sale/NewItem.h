#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class NewItem;
}
struct AppContext;

// "New Item": an item rung that is not stored yet, stored with "&Add" or
// billed once without storing it with "&Bill".
class NewItem : public QDialog
{
    Q_OBJECT

public:
    NewItem(AppContext &ctx, const QString &typed, QWidget *parent = nullptr);
    ~NewItem() override;

    // After the window has been accepted: the record the item was stored at,
    // or 0 when it is to be billed without being stored.
    int storedRecord() const { return m_record; }
    QString name() const;
    QString priceText() const;

    void storeItem();

private:
    AppContext &m_ctx;
    std::unique_ptr<Ui::NewItem> ui;
    int m_record = 0;
};
