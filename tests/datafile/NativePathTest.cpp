#include "common/TestMain.h"

#include "datafile/NativePath.h"

#include <QTest>

class NativePathTest : public QObject
{
    Q_OBJECT

private slots:
    void bytesComeBackAsTheyWere_data();
    void bytesComeBackAsTheyWere();
};

void NativePathTest::bytesComeBackAsTheyWere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // what a UTF-8 path reads as

    QTest::newRow("ascii") << QByteArray("/tmp/shop.tb2") << QStringLiteral("/tmp/shop.tb2");
    QTest::newRow("utf-8") << QByteArray("/tmp/caf\xc3\xa9 \xe2\x82\xac.tb2")
                           << QStringLiteral("/tmp/caf\u00e9 \u20ac.tb2");
    QTest::newRow("outside the BMP")
        << QByteArray("\xf0\x9f\x98\x80.tb2") << QString::fromUcs4(U"\U0001F600.tb2");
    QTest::newRow("latin-1 byte") << QByteArray("/tmp/caf\xe9.tb2") << QString();
    QTest::newRow("lone continuation") << QByteArray("\x80\xbf") << QString();
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString();
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << QString();
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString();
    QTest::newRow("cut-off sequence") << QByteArray("ab\xe2\x82") << QString();
    QTest::newRow("every high byte") << [] {
        QByteArray all;
        for (int b = 0x80; b <= 0xFF; ++b)
            all.append(char(b));
        return all;
    }() << QString();
}

void NativePathTest::bytesComeBackAsTheyWere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString decoded = NativePath::decode(bytes);
    QCOMPARE(NativePath::encode(decoded), bytes);
    if (!text.isNull()) {
        QCOMPARE(decoded, text);
        QCOMPARE(NativePath::encode(text), text.toUtf8());
    }
}

#include "NativePathTest.moc"
TB_TEST(NativePathTest)
