// The wire codec on arbitrary request bodies: plain values, dates, packets ($packet) and
// change packets ($delta). What it reads it must write, and what it writes it must read
// back to the same text; a packet cell sent as a value never reads as null.

#include "FuzzSupport.h"

#include "host/core/Exceptions.h"
#include "host/core/Packet.h"
#include "host/core/WireCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

namespace {

// The packet's cells against the rows of the text it was read from, as Qt's parser reads
// them: a null stays null and a value stays a value.
void checkPacketCells(const host::Packet& packet, QByteArrayView json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray());
    const QJsonArray rows =
        document.object().value(QLatin1String("$packet")).toObject().value(QLatin1String("rows")).toArray();
    if (rows.isEmpty())
        return; // Qt refused the text (e.g. escapes it reads otherwise): nothing to compare
    fuzz::check(rows.size() == packet.rowCount(), "every row of a packet is read",
                fuzz::shown(fuzz::text(json)));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonArray cells = rows[r].toArray();
        for (int f = 0; f < packet.fieldCount() && f < cells.size(); ++f)
            fuzz::check(cells[f].isNull() == packet.value(r, f).isNull(),
                        "a packet cell is null exactly when it was sent as null",
                        QStringLiteral("row %1 field %2 in %3").arg(r).arg(f).arg(fuzz::shown(fuzz::text(json))));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView json = fuzz::bytes(data, size);
    QVariant decoded;
    try {
        decoded = host::wire::decode(json);
    } catch (const host::ECodecError&) {
        return 0;
    }

    QByteArray written;
    try {
        written = host::wire::encode(decoded);
    } catch (const host::ECodecError& e) {
        fuzz::violated("a value the codec read can be written",
                       e.message() + QLatin1Char('\n') + fuzz::shown(fuzz::text(json)));
    }

    QVariant reread;
    try {
        reread = host::wire::decode(written);
    } catch (const host::ECodecError& e) {
        fuzz::violated("what the codec writes it reads back",
                       e.message() + QLatin1Char('\n') + fuzz::shown(fuzz::text(written)));
    }
    const QByteArray rewritten = host::wire::encode(reread);
    fuzz::check(rewritten == written, "a value read back writes the same text",
                fuzz::shown(fuzz::text(written)) + QStringLiteral("\nthen\n") +
                    fuzz::shown(fuzz::text(rewritten)));

    if (decoded.metaType().id() == qMetaTypeId<host::Packet>()) {
        const auto packet = decoded.value<host::Packet>();
        const auto again = reread.value<host::Packet>();
        fuzz::check(again.rowCount() == packet.rowCount() && again.fieldCount() == packet.fieldCount(),
                    "a packet read back has its rows and fields");
        checkPacketCells(packet, json);
    }
    if (decoded.metaType().id() == qMetaTypeId<host::Delta>()) {
        const auto delta = decoded.value<host::Delta>();
        for (const host::Change& change : delta.changes) {
            const bool hasOld = change.op != host::Change::Op::Insert;
            const bool hasNew = change.op != host::Change::Op::Delete;
            fuzz::check(change.oldValues.size() == (hasOld ? delta.fields.size() : 0) &&
                            change.newValues.size() == (hasNew ? delta.fields.size() : 0),
                        "a change carries one value per field in the rows its kind has");
        }
    }
    return 0;
}
