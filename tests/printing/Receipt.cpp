// The receipt printer's side of a sale, through the real dialogs on the
// default queue. "bill": prints bill #12 and writes "printed" or "refused".
// "drawer": listens on 127.0.0.1:9100 as a network receipt printer would,
// opens the drawer with a pulse through the queue, and writes the bytes the
// printer received, in hex.

#include "ui/QtDialogs.h"

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace {
int drawer()
{
    QTcpServer printer;
    if (!printer.listen(QHostAddress::LocalHost, 9100)) {
        std::puts("port 9100 is taken");
        return 1;
    }
    QtDialogs dialogs;
    TillSettings till;
    till.drawer = TillSettings::Drawer::Pulse;
    if (!dialogs.openDrawer(till)) {
        std::puts("refused");
        return 1;
    }
    // The queue's backend sends the job, then closes its side.
    QByteArray received;
    QEventLoop loop;
    QObject::connect(&printer, &QTcpServer::newConnection, [&] {
        QTcpSocket *job = printer.nextPendingConnection();
        QObject::connect(job, &QTcpSocket::readyRead, [&, job] { received += job->readAll(); });
        QObject::connect(job, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    std::puts(received.toHex(' ').constData());
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "drawer") == 0)
        return drawer();
    QtDialogs dialogs;
    const bool printed = dialogs.printLines(
        {"BAECKEREI MUELLER\r\nHauptstr. 1", "", "Cash Purchase", "Transaction #12 on today's date",
         "", "ORANGE JUICE COLD PRESSED 750ML - $3.50   X   2", "TEA - $2.00   X   1", "",
         "Cash Given: $10.00", "Change: $1.00", "", "Subtotal: $9.00", "Total: $9.00", "",
         "Thank you"},
        QStringLiteral("Tallybird bill #12"));
    std::puts(printed ? "printed" : "refused");
    return printed ? 0 : 1;
}
