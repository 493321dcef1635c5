// The JSON reader on arbitrary bytes. Besides never crashing:
// - skipping a value accepts whatever the value decoder accepts (it is the looser reading);
// - where Qt's own JSON parser reads the same text, both give the same values.

#include "FuzzSupport.h"

#include "host/core/Exceptions.h"
#include "host/core/JsonReader.h"
#include "host/core/WireCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QVariant>

namespace {

bool skips(QByteArrayView json)
{
    try {
        host::JsonReader in(json);
        in.skipValue();
        in.expectEnd();
        return true;
    } catch (const host::ECodecError&) {
        return false;
    }
}

bool isNumber(const QVariant& v)
{
    const int t = v.metaType().id();
    return t == QMetaType::Double || t == QMetaType::LongLong || t == QMetaType::Int;
}

// Equal values, numbers compared by value (Qt keeps small integers as doubles).
bool same(const QVariant& ours, const QVariant& qt)
{
    if (isNumber(ours) && isNumber(qt)) {
        if (ours.metaType().id() == QMetaType::LongLong && qt.metaType().id() == QMetaType::LongLong)
            return ours.toLongLong() == qt.toLongLong();
        return ours.toDouble() == qt.toDouble();
    }
    if (ours.isNull() || qt.isNull())
        return ours.isNull() && qt.isNull();
    if (ours.metaType().id() != qt.metaType().id())
        return false;
    switch (ours.metaType().id()) {
    case QMetaType::QVariantList: {
        const QVariantList a = ours.toList(), b = qt.toList();
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (!same(a[i], b[i]))
                return false;
        return true;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap a = ours.toMap(), b = qt.toMap();
        if (a.keys() != b.keys())
            return false;
        for (auto it = a.cbegin(); it != a.cend(); ++it)
            if (!same(it.value(), b.value(it.key())))
                return false;
        return true;
    }
    default:
        return ours == qt;
    }
}

// Texts where the two parsers may legitimately differ: lone surrogates and malformed
// UTF-8 (Qt refuses what the reader replaces), and "$" keys, which the codec gives a
// meaning of its own.
bool comparable(QByteArrayView json)
{
    return !json.contains("\\u") && !json.contains('$') &&
           QString::fromUtf8(json).toUtf8() == json;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView json = fuzz::bytes(data, size);
    const bool skipped = skips(json);

    QVariant decoded;
    try {
        decoded = host::wire::decode(json);
    } catch (const host::ECodecError&) {
        return 0;
    }
    fuzz::check(skipped, "a value the decoder reads can be skipped", fuzz::shown(fuzz::text(json)));

    if (!comparable(json))
        return 0;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return 0;
    if (!document.isArray() && !document.isObject())
        return 0;
    const QVariant qt = document.isArray() ? QVariant(document.array().toVariantList())
                                           : QVariant(document.object().toVariantMap());
    fuzz::check(same(decoded, qt), "the reader and Qt's parser read the same values",
                fuzz::shown(fuzz::text(json)));
    return 0;
}
