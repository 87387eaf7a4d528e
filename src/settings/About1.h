#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class About1;
}
struct AppContext;

// "About": the splash picture, the revision and a link to write to support.
class About1 : public QDialog
{
    Q_OBJECT

public:
    explicit About1(AppContext &ctx, QWidget *parent = nullptr);
    ~About1() override;

private:
    std::unique_ptr<Ui::About1> ui;
};
