#include "Title.h"

#include "ui/AppContext.h"
#include "Interface.h"
#include "ui/WindowSetup.h"
#include "settings/ProgramFiles.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

Title::Title(AppContext &ctx, const QString &commandLine)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("Title"));
    setAttribute(Qt::WA_DeleteOnClose);
    ctx.ProgramDir = ProgramFiles::programDir();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    m_picture->setObjectName(QStringLiteral("Picture"));
    const QPixmap picture(QDir(ctx.ProgramDir).filePath(QStringLiteral("splash.bmp")));
    if (!picture.isNull())
        m_picture->setPixmap(picture);
    else
        m_picture->setText(QStringLiteral("<h1>Tallybird</h1>"));
    adjustSize();

    m_main = new Interface(ctx, commandLine);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(m_main->windowIcon());
    centreOnScreen(this);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(TickMs);
    connect(&Timer1, &QTimer::timeout, this, &Title::tick);
    Timer1.start();
}

void Title::tick()
{
    if (++m_count < Ticks)
        return;
    Timer1.stop();
    m_main->show();
    close();
}
