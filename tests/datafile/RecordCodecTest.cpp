#include "DatafileFixtures.h"
#include "common/GuardedBytes.h"
#include "common/TestMain.h"

#include <cstring>
#include <limits>

using Fixtures::Bytes;

class RecordCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void everyTagRoundTrips();
    void littleEndianLayout();
    void zeroCharTextDiffersFromEmpty();
    void allZeroRecordIsThirteenEmptyFields();
    void recordLengthLimit_data();
    void recordLengthLimit();
    void unencodableTextRefused();
    void brokenRecords_data();
    void brokenRecords();
    void noReadPastTheBytes_data();
    void noReadPastTheBytes();
    void viewReadsFieldsLikeDecode();
    void viewFieldEquals_data();
    void viewFieldEquals();
};

void RecordCodecTest::everyTagRoundTrips()
{
    DataRecord r;
    r.Name = FieldValue::fromText(QStringLiteral("\u20AC\u00A3\u0081 Z\u017D"));
    r.Price = FieldValue::fromCurrency(Currency::fromRaw(std::numeric_limits<qint64>::min()));
    r.Number = FieldValue::fromInt16(-32768);
    r.Notes = FieldValue::fromInt32(std::numeric_limits<qint32>::min());
    r.Sold = FieldValue::fromDouble(-1.5e300);
    r.Stock = FieldValue::fromDate(-1.25);
    r.Remaining = FieldValue::fromText(QString());
    r.SpareA = FieldValue::fromDouble(std::numeric_limits<double>::quiet_NaN());
    r.SpareB = FieldValue::fromCurrency(Currency::fromRaw(std::numeric_limits<qint64>::max()));
    r.SpareC = FieldValue::fromInt16(32767);
    r.SpareD = FieldValue::fromInt32(std::numeric_limits<qint32>::max());
    // Reserved11 and Reserved12 stay empty.

    const Result<QByteArray> encoded = RecordCodec::encode(r);
    QCOMPARE(encoded.error(), FileError::None);
    QCOMPARE(encoded->size(), RecordLength);
    const Result<DataRecord> decoded = RecordCodec::decode(*encoded);
    QCOMPARE(decoded.error(), FileError::None);
    for (int i = 0; i < FieldCount; ++i) {
        QCOMPARE(decoded->field(i).type(), r.field(i).type());
        QVERIFY2(decoded->field(i) == r.field(i), qPrintable(QString::number(i)));
    }
}

void RecordCodecTest::littleEndianLayout()
{
    DataRecord r;
    r.Name = FieldValue::fromText(QStringLiteral("\u00A3\u20AC"));
    r.Price = FieldValue::fromCurrency(Currency::fromRaw(0x0102030405060708));
    r.Number = FieldValue::fromInt16(0x0102);
    r.Notes = FieldValue::fromInt32(0x01020304);
    r.Sold = FieldValue::fromDouble(1.0);
    r.Stock = FieldValue::fromDate(45366.0);

    const QByteArray expected = Bytes()
                                    .text(QByteArray("\xA3\x80", 2))
                                    .tag(6)
                                    .bytes(QByteArray::fromHex("0807060504030201"))
                                    .tag(2)
                                    .bytes(QByteArray::fromHex("0201"))
                                    .tag(3)
                                    .bytes(QByteArray::fromHex("04030201"))
                                    .tag(5)
                                    .bytes(QByteArray::fromHex("000000000000f03f"))
                                    .tag(7)
                                    .bytes(QByteArray::fromHex("00000000c026e640"))
                                    .emptyFields(7)
                                    .record();
    QCOMPARE(Fixtures::encoded(r).toHex(), expected.toHex());
}

void RecordCodecTest::zeroCharTextDiffersFromEmpty()
{
    DataRecord r;
    r.Name = FieldValue::fromText(QString());
    const QByteArray bytes = Fixtures::encoded(r);
    QCOMPARE(bytes.left(6).toHex(), QByteArray("080000000000"));
    QCOMPARE(RecordCodec::encodedSize(r), 4 + 12 * 2);

    const auto back = RecordCodec::decode(bytes);
    QVERIFY(back.ok());
    QCOMPARE(back->Name.type(), FieldValue::Type::Text);
    QCOMPARE(back->Price.type(), FieldValue::Type::Empty);
    QCOMPARE(back->Name.toText(), QString());
    QCOMPARE(back->Price.toText(), QString());
    QVERIFY(!(back->Name == back->Price));
}

void RecordCodecTest::allZeroRecordIsThirteenEmptyFields()
{
    const auto r = RecordCodec::decode(QByteArray(RecordLength, '\0'));
    QVERIFY(r.ok());
    for (int i = 0; i < FieldCount; ++i)
        QVERIFY(r->field(i).isEmpty());
    QCOMPARE(r->kind(), RecordKind::Free);
}

void RecordCodecTest::recordLengthLimit_data()
{
    QTest::addColumn<int>("notesLength");
    QTest::addColumn<int>("int32s"); // empty fields made 32-bit integers, 4 bytes more each
    QTest::addColumn<bool>("fits");
    // "***" (7) + name "BOB" (7) + notes (4 + n) + 10 empty fields (20) = 38 + n
    QTest::newRow("exactly 128") << 90 << 0 << true;
    QTest::newRow("one byte over") << 91 << 0 << false;
    QTest::newRow("far over") << 500 << 0 << false;
    QTest::newRow("with integers, exactly 128") << 82 << 2 << true;
    QTest::newRow("with integers, one byte over") << 83 << 2 << false;
}

void RecordCodecTest::recordLengthLimit()
{
    QFETCH(int, notesLength);
    QFETCH(int, int32s);
    QFETCH(bool, fits);
    DataRecord r = Fixtures::customer(QStringLiteral("BOB"));
    r.Notes = FieldValue::fromText(QString(notesLength, QLatin1Char('n')));
    for (int i = 0; i < int32s; ++i)
        r.field(FieldCount - 1 - i) = FieldValue::fromInt32(-1);
    QCOMPARE(RecordCodec::encodedSize(r), 38 + notesLength + 4 * int32s);
    const auto result = RecordCodec::encode(r);
    if (fits) {
        QCOMPARE(result.error(), FileError::None);
        QCOMPARE(result->size(), RecordLength);
        QCOMPARE(RecordCodec::decode(*result)->Notes, r.Notes);
    } else {
        QCOMPARE(result.error(), FileError::BadRecordLength);
    }
}

void RecordCodecTest::unencodableTextRefused()
{
    DataRecord r = Fixtures::customer(QStringLiteral("BOB"));
    r.Notes = FieldValue::fromText(QStringLiteral("caf\u00E9 \u0141\u00F3d\u017A"));
    const auto result = RecordCodec::encode(r);
    QCOMPARE(result.error(), FileError::UnencodableText);
}

void RecordCodecTest::brokenRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<FileError>("error");

    QTest::newRow("unknown tag first")
        << Bytes().tag(1).emptyFields(12).record() << FileError::UnknownFieldType;
    QTest::newRow("unknown tag later")
        << Bytes().text("APPLE").emptyFields(4).tag(4).raw(0, 4).emptyFields(7).record()
        << FileError::UnknownFieldType;
    QTest::newRow("array flag") << Bytes().tag(0x2008).emptyFields(12).record()
                                << FileError::UnknownFieldType;
    QTest::newRow("text length far past end")
        << Bytes().tag(8).raw(200, 2).record() << FileError::FieldPastRecord;
    QTest::newRow("text one byte past end")
        << Bytes().tag(8).raw(125, 2).bytes(QByteArray(124, 'x')).record()
        << FileError::FieldPastRecord;
    QTest::newRow("text length cut off")
        << Bytes().text(QByteArray(122, 'x')).tag(8).record() << FileError::FieldPastRecord;
    QTest::newRow("double cut off")
        << Bytes().text(QByteArray(116, 'x')).tag(5).record() << FileError::FieldPastRecord;
    QTest::newRow("no room for a tag")
        << Bytes().text(QByteArray(122, 'x')).empty().record() << FileError::FieldPastRecord;
    QTest::newRow("13th field one byte short")
        << Bytes().text(QByteArray(99, 'x')).emptyFields(11).tag(8).record()
        << FileError::FieldPastRecord;
    QTest::newRow("13th field, text one byte past end")
        << Bytes().emptyFields(12).tag(8).raw(101, 2).bytes(QByteArray(100, 'x')).record()
        << FileError::FieldPastRecord;
    QTest::newRow("13th field, int32 one byte short")
        << Bytes().text(QByteArray(97, 'x')).emptyFields(11).tag(3).raw(0, 3).record()
        << FileError::FieldPastRecord;
    QTest::newRow("text ends exactly at 128")
        << Bytes().text(QByteArray(100, 'x')).emptyFields(12).record() << FileError::None;
}

void RecordCodecTest::brokenRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(FileError, error);
    QCOMPARE(bytes.size(), RecordLength);
    QCOMPARE(RecordCodec::decode(bytes).error(), error);
    QCOMPARE(RecordView(bytes).decode().error(), error);
}

void RecordCodecTest::noReadPastTheBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<FileError>("error");
    QTest::addColumn<int>("lastReadable"); // the last field RecordView reads, -1: none
    QTest::addColumn<double>("lastValue"); // of the last readable field

    // A 32-bit integer in the last 4 bytes of a record.
    QTest::newRow("int32 at the very end")
        << Bytes().text(QByteArray(96, 'A')).emptyFields(11).int32(0x04030201).unpadded()
        << FileError::None << 12 << double(0x04030201);
    QTest::newRow("int32 ending a short view")
        << QByteArray::fromHex("030000080028002a00") << FileError::UnknownFieldType << 0
        << double(0x28000800);
    QTest::newRow("text one byte past a short view")
        << Bytes().tag(8).raw(3, 2).bytes("ab").unpadded() << FileError::FieldPastRecord << -1
        << 0.0;
    QTest::newRow("13th text one byte past the record")
        << Bytes().emptyFields(12).tag(8).raw(101, 2).bytes(QByteArray(100, 'x')).unpadded()
        << FileError::FieldPastRecord << 11 << 0.0;
    QTest::newRow("first text one byte past the record")
        << Bytes().tag(8).raw(125, 2).bytes(QByteArray(124, 'x')).unpadded()
        << FileError::FieldPastRecord << -1 << 0.0;
    QTest::newRow("double cut off by the view")
        << Bytes().empty().tag(5).raw(0, 7).unpadded() << FileError::FieldPastRecord << 0 << 0.0;
    QTest::newRow("currency at the very end")
        << Bytes().text(QByteArray(92, 'A')).emptyFields(11).tag(6).raw(70000, 8).unpadded()
        << FileError::None << 12 << 7.0;
}

// The bytes end right before an unreadable page: a decoder that reads one
// byte too far crashes here.
void RecordCodecTest::noReadPastTheBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(FileError, error);
    QFETCH(int, lastReadable);
    QFETCH(double, lastValue);

    const GuardedBytes guarded(bytes);
    const RecordView view(guarded.view());
    QCOMPARE(view.decode().error(), error);
    for (int i = 0; i < FieldCount; ++i) {
        QCOMPARE(view.field(i).has_value(), i <= lastReadable);
        QCOMPARE(view.fieldEquals(i, QStringLiteral("1"), "1"), false);
    }
    view.kind();
    if (lastReadable >= 0)
        QCOMPARE(view.field(lastReadable)->toNumber(), lastValue);
    if (bytes.size() == RecordLength)
        QCOMPARE(RecordCodec::decode(guarded.view()).error(), error);
    if (error == FileError::None)
        QCOMPARE(view.decode()->field(12), *view.field(12));
}

void RecordCodecTest::viewReadsFieldsLikeDecode()
{
    DataRecord r = Fixtures::item(QStringLiteral("APPLE"), QStringLiteral("111"));
    r.SpareA = FieldValue::fromDate(45366.5);
    r.SpareB = FieldValue::fromInt32(-7);
    const QByteArray bytes = Fixtures::encoded(r);
    const RecordView view(bytes);
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = view.field(i);
        QVERIFY(f.has_value());
        QVERIFY(*f == r.field(i));
    }
    QVERIFY(!view.field(-1).has_value());
    QVERIFY(!view.field(FieldCount).has_value());

    // Fields before a fault still read; the faulty one and those after do not.
    const QByteArray broken = Bytes().text("APPLE").int16(3).tag(99).emptyFields(10).record();
    const RecordView bad(broken);
    QCOMPARE(bad.field(0)->toText(), QStringLiteral("APPLE"));
    QCOMPARE(bad.field(1)->toNumber(), 3.0);
    QVERIFY(!bad.field(2).has_value());
    QVERIFY(!bad.field(3).has_value());
    QCOMPARE(bad.decode().error(), FileError::UnknownFieldType);
}

void RecordCodecTest::viewFieldEquals_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("equal");

    const QByteArray item = Bytes().text("APPLE").int16(1).text("111").emptyFields(10).record();
    QTest::newRow("name") << item << 0 << "APPLE" << true;
    QTest::newRow("same length, other text") << item << 0 << "APPLY" << false;
    QTest::newRow("prefix") << item << 0 << "APP" << false;
    QTest::newRow("longer") << item << 0 << "APPLES" << false;
    QTest::newRow("case matters") << item << 0 << "apple" << false;
    QTest::newRow("number as text") << item << 2 << "111" << true;
    QTest::newRow("int16 by its text") << item << 1 << "1" << true;
    QTest::newRow("int16 other text") << item << 1 << "01" << false;
    QTest::newRow("empty field vs empty text") << item << 5 << "" << true;
    QTest::newRow("empty field vs text") << item << 5 << "X" << false;

    const QByteArray money =
        Bytes().text("").tag(6).raw(107000, 8).text("\xA3").emptyFields(10).record();
    QTest::newRow("0-char text vs empty text") << money << 0 << "" << true;
    QTest::newRow("currency by its text") << money << 1 << "10.7" << true;
    QTest::newRow("currency other text") << money << 1 << "10.70" << false;
    QTest::newRow("high byte") << money << 2 << QStringLiteral("\u00A3") << true;

    const QByteArray broken = Bytes().text("APPLE").tag(77).emptyFields(11).record();
    QTest::newRow("before a fault") << broken << 0 << "APPLE" << true;
    QTest::newRow("at a fault") << broken << 1 << "" << false;
    QTest::newRow("after a fault") << broken << 2 << "" << false;
    QTest::newRow("index out of range") << item << 13 << "" << false;
}

void RecordCodecTest::viewFieldEquals()
{
    QFETCH(QByteArray, record);
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, equal);
    const RecordView view(record);
    const QByteArray encoded = Cp1252::encode(text).value_or(QByteArray());
    QCOMPARE(view.fieldEquals(field, text, encoded), equal);
    // Without the encoded form the text itself is compared.
    QCOMPARE(view.fieldEquals(field, text, QByteArrayView()), equal);
}

#include "RecordCodecTest.moc"
TB_TEST(RecordCodecTest)
