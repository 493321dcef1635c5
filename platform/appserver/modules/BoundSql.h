#pragma once

// A statement assembled from fixed fragments, with its values bound by position: the
// register's filters add one condition per criterion, and a list of chosen codes adds one
// "?" per code. Nothing a caller sends ever becomes part of the text.

#include "host/core/FieldDef.h"
#include "host/core/Packet.h"

#include <QString>
#include <QVariantList>

namespace host {
class Database;
}

namespace appserver::modules {

struct BoundSql
{
    QString text;        // with "?" where each value goes
    QVariantList values; // in the order of the "?" in the text

    // Appends a fragment and the values of its "?" placeholders.
    BoundSql& add(const QString& fragment, const QVariantList& fragmentValues = {});
    BoundSql& add(const BoundSql& fragment);
};

// Runs the statement and returns its rows; the hints give the columns' types, widths and
// labels by name. A null or invalid value is bound as NULL, a date as ISO text.
// Throws host::EDatabaseError when the database refuses it.
host::Packet runPacket(host::Database& db, const BoundSql& sql, const host::FieldDefs& hints);

} // namespace appserver::modules
