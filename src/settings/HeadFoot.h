#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class HeadFoot;
}
struct AppContext;

// Edits one of the bill's notes. The caller sets the caption, the prompt and
// the text; only "&OK" closes the window, and it hands the text back in
// NoteText.
class HeadFoot : public QDialog
{
    Q_OBJECT

public:
    explicit HeadFoot(AppContext &ctx, QWidget *parent = nullptr);
    ~HeadFoot() override;

    void setPrompt(const QString &caption, const QString &prompt, const QString &text);
    void keepNote();

    void reject() override; // Escape does not close it

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppContext &m_ctx;
    std::unique_ptr<Ui::HeadFoot> ui;
    bool m_closing = false;
};
