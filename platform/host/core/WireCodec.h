#pragma once

#include "JsonReader.h"
#include "JsonWriter.h"
#include "Packet.h"

#include <QByteArray>
#include <QVariant>

namespace host::wire {

// Values exchanged with the application server, as JSON:
//   null, booleans, numbers, texts, arrays (QVariantList), objects (QVariantMap);
//   a date      {"$date":"YYYY-MM-DD"}            <-> QDate
//   a date-time {"$datetime":"YYYY-MM-DDThh:mm:ss"} <-> QDateTime
//   a packet    {"$packet":{"fields":[...],"rows":[[...],...]}} <-> host::Packet
//   a delta     {"$delta":{"fields":[...],"changes":[...]}}     <-> host::Delta
// Inside packets and deltas each value follows its field's type: dates and date-times
// are plain ISO texts there. Integers decode as qlonglong, other numbers as double.
// Faults raise ECodecError.

QByteArray encode(const QVariant& value);
QVariant decode(QByteArrayView json);

void writeValue(JsonWriter& out, const QVariant& value);
QVariant readValue(JsonReader& in);

void writePacket(JsonWriter& out, const Packet& packet);
void writeDelta(JsonWriter& out, const Delta& delta);

} // namespace host::wire
