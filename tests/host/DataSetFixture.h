#pragma once

#include "host/core/DataSet.h"

#include <QStringList>

// A small worksheet-like table: region, supplier, product and a price.
inline host::FieldDefs itemFields()
{
    using host::FieldDef;
    using host::FieldType;
    return {FieldDef::text(QStringLiteral("CDREGIAO"), 3), FieldDef::text(QStringLiteral("CDFORNECED"), 21),
            FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
            FieldDef::of(QStringLiteral("VRPRECUNIITM"), FieldType::Float)};
}

inline void appendItem(host::DataSet& ds, const QString& region, const QString& supplier,
                       const QString& product, double price)
{
    ds.Append();
    ds.FieldByName(QStringLiteral("CDREGIAO")).SetAsString(region);
    ds.FieldByName(QStringLiteral("CDFORNECED")).SetAsString(supplier);
    ds.FieldByName(QStringLiteral("COCPRODUTO")).SetAsString(product);
    ds.FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(price);
    ds.Post();
}

// Opens `ds` with the given rows and merges them, as if they came from the server.
inline void loadItems(host::DataSet& ds, const QList<QVariantList>& rows)
{
    host::Packet packet(itemFields());
    for (const QVariantList& row : rows)
        packet.appendRow(row);
    ds.SetData(packet);
}

// The values of one field over the visible rows, in order.
inline QStringList column(host::DataSet& ds, const QString& field)
{
    QStringList values;
    const int f = ds.FieldByName(field).Index();
    for (int row = 0; row < ds.RecordCount(); ++row)
        values.append(ds.valueAt(row, f).toString());
    return values;
}
