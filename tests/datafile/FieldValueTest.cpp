#include "DatafileFixtures.h"
#include "common/TestMain.h"

#include <limits>

using Fixtures::LocaleGuard;

// Windows-1252 text, OLE dates and the loosely typed field values built on them.
class FieldValueTest : public QObject
{
    Q_OBJECT

private slots:
    void cp1252EveryByteRoundTrips();
    void cp1252Table_data();
    void cp1252Table();
    void cp1252RefusesWithoutReplacement();

    void oleDate_data();
    void oleDate();
    void oleDateOutOfRange();

    void toText_data();
    void toText();
    void toNumber_data();
    void toNumber();
    void toCurrency_data();
    void toCurrency();
    void fromNumberPicksTag_data();
    void fromNumberPicksTag();
    void kindOfName_data();
    void kindOfName();
};

void FieldValueTest::cp1252EveryByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256); // no two bytes alike
    const auto back = Cp1252::encode(text);
    QVERIFY(back.has_value());
    QCOMPARE(*back, all);
    // Plain ASCII is widened eight bytes at a time: a euro sign at every place.
    for (int at = 0; at < 17; ++at) {
        QByteArray mixed(17, 'a');
        mixed[at] = char(0x80);
        QString expected(17, QLatin1Char('a'));
        expected[at] = QChar(0x20AC);
        QCOMPARE(Cp1252::decode(mixed), expected);
    }
}

void FieldValueTest::cp1252Table_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("undefined 8D") << 0x8D << 0x008D;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("undefined 8F") << 0x8F << 0x008F;
    QTest::newRow("undefined 90") << 0x90 << 0x0090;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9D") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("pound") << 0xA3 << 0x00A3;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
    QTest::newRow("ascii") << 0x41 << 0x0041;
}

void FieldValueTest::cp1252Table()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QString text = Cp1252::decode(QByteArray(1, char(byte)));
    QCOMPARE(int(text.at(0).unicode()), unicode);
    QCOMPARE(Cp1252::encode(QString(QChar(unicode))), std::optional(QByteArray(1, char(byte))));
}

void FieldValueTest::cp1252RefusesWithoutReplacement()
{
    // U+0080 has no byte: 0x80 is the euro sign.
    for (const QString &bad : {QStringLiteral("a\u0100b"), QString(QChar(0x80)),
                               QString::fromUtf8("x\xF0\x9F\x98\x80"), QStringLiteral("\u20AD")}) {
        QVERIFY(!Cp1252::encode(bad).has_value());
        QVERIFY(!Cp1252::canEncode(bad));
    }
    QCOMPARE(Cp1252::firstUnencodable(QStringLiteral("ok\u0100\u0101")), QChar(0x0100));
    QVERIFY(Cp1252::firstUnencodable(QStringLiteral("fine \u20AC\u00A3")).isNull());
    QVERIFY(Cp1252::canEncode(QString()));
}

void FieldValueTest::oleDate_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("days");

    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("1900-01-01") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("leap day") << QDateTime(QDate(2000, 2, 29), QTime(0, 0)) << 36585.0;
    QTest::newRow("date") << QDateTime(QDate(2024, 3, 15), QTime(0, 0)) << 45366.0;
    QTest::newRow("evening") << QDateTime(QDate(2024, 3, 15), QTime(18, 0)) << 45366.75;
    QTest::newRow("noon at epoch") << QDateTime(QDate(1899, 12, 30), QTime(12, 0)) << 0.5;
    // Before the epoch the fraction still counts forward into the day.
    QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("day before, evening") << QDateTime(QDate(1899, 12, 28), QTime(18, 0)) << -2.75;
}

void FieldValueTest::oleDate()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, days);
    QCOMPARE(OleDate::fromDateTime(dateTime), days);
    QCOMPARE(OleDate::toDateTime(days), dateTime);
    QCOMPARE(OleDate::toDate(days), dateTime.date());
    QCOMPARE(OleDate::fromDate(dateTime.date()), std::trunc(days));
}

void FieldValueTest::oleDateOutOfRange()
{
    // A time that rounds to midnight belongs to the next day.
    QCOMPARE(OleDate::toDateTime(45366.99999999999), QDateTime(QDate(2024, 3, 16), QTime(0, 0)));
    QVERIFY(!OleDate::toDate(std::numeric_limits<double>::quiet_NaN()).isValid());
    QVERIFY(!OleDate::toDate(1e12).isValid());
    QVERIFY(!OleDate::toDate(2958466.0).isValid()); // 1 January 10000
    QVERIFY(!OleDate::toDateTime(-1e12).isValid());
}

void FieldValueTest::toText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<FieldValue>("value");
    QTest::addColumn<QString>("text");

    const QString us = QStringLiteral("en_US");
    QTest::newRow("empty") << us << FieldValue() << "";
    QTest::newRow("text") << us << FieldValue::fromText(QStringLiteral("ABC")) << "ABC";
    QTest::newRow("0-char text") << us << FieldValue::fromText(QString()) << "";
    QTest::newRow("int16") << us << FieldValue::fromInt16(-5) << "-5";
    QTest::newRow("int32") << us << FieldValue::fromInt32(100000) << "100000";
    QTest::newRow("double") << us << FieldValue::fromDouble(12.5) << "12.5";
    QTest::newRow("whole double") << us << FieldValue::fromDouble(3.0) << "3";
    QTest::newRow("currency") << us << FieldValue::fromCurrency(Currency::fromRaw(107000))
                              << "10.7";
    QTest::newRow("whole currency")
        << us << FieldValue::fromCurrency(Currency::fromRaw(120000)) << "12";
    QTest::newRow("tiny currency")
        << us << FieldValue::fromCurrency(Currency::fromRaw(-5)) << "-0.0005";
    QTest::newRow("largest currency")
        << us << FieldValue::fromCurrency(Currency::fromRaw(std::numeric_limits<qint64>::max()))
        << "922337203685477.5807";
    QTest::newRow("smallest currency")
        << us << FieldValue::fromCurrency(Currency::fromRaw(std::numeric_limits<qint64>::min()))
        << "-922337203685477.5808";
    QTest::newRow("date") << us << FieldValue::fromDate(45366.0) << "3/15/2024";
    QTest::newRow("date and time")
        << us << FieldValue::fromDate(45366.5) << "3/15/2024 12:00:00 PM";
    QTest::newRow("de double") << "de_DE" << FieldValue::fromDouble(12.5) << "12,5";
    QTest::newRow("de currency") << "de_DE" << FieldValue::fromCurrency(Currency::fromRaw(107000))
                                 << "10,7";
    QTest::newRow("de date") << "de_DE" << FieldValue::fromDate(45366.0) << "15.03.2024";
}

void FieldValueTest::toText()
{
    QFETCH(QString, locale);
    QFETCH(FieldValue, value);
    QFETCH(QString, text);
    LocaleGuard guard{QLocale(locale)};
    QCOMPARE(value.toText(), text);
    QCOMPARE(value.textEquals(text), true);
}

void FieldValueTest::toNumber_data()
{
    QTest::addColumn<FieldValue>("value");
    QTest::addColumn<double>("number");
    QTest::newRow("empty") << FieldValue() << 0.0;
    QTest::newRow("leading number") << FieldValue::fromText(QStringLiteral("12.5abc")) << 12.5;
    QTest::newRow("blank and sign") << FieldValue::fromText(QStringLiteral(" -3")) << -3.0;
    QTest::newRow("no number") << FieldValue::fromText(QStringLiteral("abc")) << 0.0;
    QTest::newRow("flag text") << FieldValue::fromText(QStringLiteral("1")) << 1.0;
    QTest::newRow("0-char text") << FieldValue::fromText(QString()) << 0.0;
    QTest::newRow("int16") << FieldValue::fromInt16(-32768) << -32768.0;
    QTest::newRow("int32") << FieldValue::fromInt32(2147483647) << 2147483647.0;
    QTest::newRow("currency") << FieldValue::fromCurrency(Currency::fromRaw(107000)) << 10.7;
    QTest::newRow("date") << FieldValue::fromDate(45366.75) << 45366.75;
}

void FieldValueTest::toNumber()
{
    QFETCH(FieldValue, value);
    QFETCH(double, number);
    QCOMPARE(value.toNumber(), number);
}

void FieldValueTest::toCurrency_data()
{
    QTest::addColumn<FieldValue>("value");
    QTest::addColumn<qint64>("raw");
    QTest::newRow("currency exact")
        << FieldValue::fromCurrency(Currency::fromRaw(std::numeric_limits<qint64>::max() - 1))
        << std::numeric_limits<qint64>::max() - 1;
    QTest::newRow("text") << FieldValue::fromText(QStringLiteral("10.70")) << qint64(107000);
    QTest::newRow("text tie") << FieldValue::fromText(QStringLiteral("0.00015")) << qint64(2);
    QTest::newRow("double") << FieldValue::fromDouble(1.23456) << qint64(12346);
    QTest::newRow("int16") << FieldValue::fromInt16(3) << qint64(30000);
    QTest::newRow("int32") << FieldValue::fromInt32(-2000000000) << qint64(-20000000000000);
    QTest::newRow("empty") << FieldValue() << qint64(0);
}

void FieldValueTest::toCurrency()
{
    QFETCH(FieldValue, value);
    QFETCH(qint64, raw);
    QCOMPARE(value.toCurrency().raw(), raw);
}

void FieldValueTest::fromNumberPicksTag_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<FieldValue::Type>("type");
    QTest::newRow("small") << 5.0 << FieldValue::Type::Int16;
    QTest::newRow("int16 max") << 32767.0 << FieldValue::Type::Int16;
    QTest::newRow("int16 min") << -32768.0 << FieldValue::Type::Int16;
    QTest::newRow("negative zero") << -0.0 << FieldValue::Type::Int16;
    QTest::newRow("past int16") << 32768.0 << FieldValue::Type::Int32;
    QTest::newRow("below int16") << -32769.0 << FieldValue::Type::Int32;
    QTest::newRow("int32 max") << 2147483647.0 << FieldValue::Type::Int32;
    QTest::newRow("past int32") << 2147483648.0 << FieldValue::Type::Double;
    QTest::newRow("fraction") << 1.5 << FieldValue::Type::Double;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << FieldValue::Type::Double;
}

void FieldValueTest::fromNumberPicksTag()
{
    QFETCH(double, number);
    QFETCH(FieldValue::Type, type);
    const FieldValue v = FieldValue::fromNumber(number);
    QCOMPARE(v.type(), type);
    if (!std::isnan(number))
        QCOMPARE(v.toNumber(), number);
}

void FieldValueTest::kindOfName_data()
{
    QTest::addColumn<FieldValue>("name");
    QTest::addColumn<RecordKind>("kind");
    QTest::newRow("empty value") << FieldValue() << RecordKind::Free;
    QTest::newRow("0-char text") << FieldValue::fromText(QString()) << RecordKind::Free;
    QTest::newRow("customer") << FieldValue::fromText(SharedMarker) << RecordKind::Customer;
    QTest::newRow("cashier") << FieldValue::fromText(CashierMarker) << RecordKind::Cashier;
    QTest::newRow("item") << FieldValue::fromText(QStringLiteral("APPLE")) << RecordKind::Item;
    QTest::newRow("almost a marker")
        << FieldValue::fromText(QStringLiteral("**")) << RecordKind::Item;
    QTest::newRow("marker with blank")
        << FieldValue::fromText(QStringLiteral("*** ")) << RecordKind::Item;
    QTest::newRow("number") << FieldValue::fromInt16(0) << RecordKind::Item;
}

void FieldValueTest::kindOfName()
{
    QFETCH(FieldValue, name);
    QFETCH(RecordKind, kind);
    QCOMPARE(::kindOfName(name), kind);
    DataRecord r;
    r.Name = name;
    QCOMPARE(r.kind(), kind);
    // The raw-byte view must agree with the decoded record.
    QCOMPARE(RecordView(Fixtures::encoded(r)).kind(), kind);
}

#include "FieldValueTest.moc"
TB_TEST(FieldValueTest)
