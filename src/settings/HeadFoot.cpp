#include "HeadFoot.h"

#include "ui/AppContext.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"
#include "ui_HeadFoot.h"

#include <QCloseEvent>
#include <QTimer>

HeadFoot::HeadFoot(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), ui(std::make_unique<Ui::HeadFoot>())
{
    ui->setupUi(this);
    // A title bar without a close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui->Text1->installEventFilter(this);
    connect(ui->Command1, &QPushButton::clicked, this, &HeadFoot::keepNote);
    prepareDialog(this, ctx.mainWindow ? ctx.mainWindow->widget() : nullptr);
}

HeadFoot::~HeadFoot() = default;

void HeadFoot::setPrompt(const QString &caption, const QString &prompt, const QString &text)
{
    setWindowTitle(caption);
    ui->Label1->setText(prompt);
    ui->Text1->setPlainText(text);
}

void HeadFoot::keepNote()
{
    m_ctx.NoteText = ui->Text1->toPlainText();
    m_closing = true;
    accept();
}

void HeadFoot::reject() {}

void HeadFoot::closeEvent(QCloseEvent *event)
{
    if (m_closing)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

bool HeadFoot::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Text1 && event->type() == QEvent::FocusIn) {
        ui->Text1->selectAll();
        // Again once a click that gave the focus has placed the cursor.
        QTimer::singleShot(0, ui->Text1, [box = ui->Text1] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}
