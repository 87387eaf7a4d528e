// Feeds any bytes to the record decoder and to RecordView, and checks that a
// record that decodes encodes back to the same fields.

#include "FuzzCheck.h"

#include "datafile/Cp1252.h"
#include "datafile/RecordCodec.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const RecordView view(bytes);
    view.kind();
    for (int i = -1; i <= FieldCount; ++i) {
        const std::optional<FieldValue> field = view.field(i);
        view.fieldEquals(i, SharedMarker, "***");
        view.fieldEquals(i, QStringLiteral("1"), QByteArrayView());
        if (field) {
            // A field equals its own text form, looked up either way.
            const QString text = field->toText();
            FUZZ_CHECK(view.fieldEquals(i, text, QByteArrayView()));
            if (const auto encoded = Cp1252::encode(text))
                FUZZ_CHECK(view.fieldEquals(i, text, *encoded));
        }
    }
    const Result<DataRecord> viewed = view.decode();
    if (viewed) {
        for (int i = 0; i < FieldCount; ++i)
            FUZZ_CHECK(view.field(i).has_value());
    }

    if (size < size_t(RecordLength))
        return 0;
    const QByteArrayView record = bytes.first(RecordLength);
    const Result<DataRecord> decoded = RecordCodec::decode(record);
    FUZZ_CHECK(decoded.error() == RecordView(record).decode().error());
    if (!decoded)
        return 0;
    FUZZ_CHECK(RecordCodec::encodedSize(*decoded) <= RecordLength);
    const Result<QByteArray> encoded = RecordCodec::encode(*decoded);
    FUZZ_CHECK(encoded.ok());
    FUZZ_CHECK(encoded->size() == RecordLength);
    // The fields come back byte for byte; only the padding may differ.
    const int used = RecordCodec::encodedSize(*decoded);
    FUZZ_CHECK(encoded->left(used) == record.first(used));
    const Result<DataRecord> again = RecordCodec::decode(*encoded);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(RecordCodec::encode(*again).valueOr(QByteArray()) == *encoded);
    return 0;
}
