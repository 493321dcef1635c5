#pragma once

// A small worksheet item table (region, supplier, product/brand, price) and the cube the
// worksheet builds over it, with the expected counts worked out from the same rows.

#include "host/core/DataSet.h"
#include "host/pivot/DecisionCube.h"

#include <QString>
#include <map>
#include <tuple>
#include <vector>

namespace pivottest {

struct Item
{
    QString region, supplier, product;
    double price;
};

inline QString region(const char* code, const char* name)
{
    return QString::fromUtf8(code) + QStringLiteral("¤¤") + QString::fromUtf8(name);
}

inline QString supplier(const char* code, const char* name)
{
    return region(code, name);
}

inline QString product(const char* name, const char* code, const char* brand, const char* brandName)
{
    return QString::fromUtf8(name) + QStringLiteral("¤¤") + QString::fromUtf8(code) +
           QStringLiteral("¥¥") + QString::fromUtf8(brand) + QStringLiteral("¤¤") +
           QString::fromUtf8(brandName);
}

inline void load(host::DataSet& items, const std::vector<Item>& rows)
{
    using host::FieldDef;
    host::Packet packet(
        host::FieldDefs{FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                        FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                        FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                        FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)});
    for (const Item& i : rows)
        packet.appendRow({i.region, i.supplier, i.product, i.price});
    items.Name = QStringLiteral("cdsAltCotacao");
    items.SetData(packet);
}

// Region outer and supplier inner across, product down, counting prices.
inline void defineWorksheetCube(host::TDecisionCube& cube)
{
    cube.AddDimension(QStringLiteral("COCREGIAO"), QStringLiteral("Região"));
    cube.AddDimension(QStringLiteral("COCFORNECED"), QStringLiteral("Fornecedor"));
    cube.AddDimension(QStringLiteral("COCPRODUTO"), QStringLiteral("Produto"));
    cube.SetSummaryField(QStringLiteral("CONTA"));
    cube.SetPivot({2}, {0, 1});
}

// Items per (region, supplier, product) and their price sum, from the rows themselves.
using Key = std::tuple<QString, QString, QString>;
inline std::map<Key, host::CubeSummary> expectedCells(const std::vector<Item>& rows)
{
    std::map<Key, host::CubeSummary> cells;
    for (const Item& i : rows) {
        auto& s = cells[{i.region, i.supplier, i.product}];
        ++s.count;
        s.sum += i.price;
    }
    return cells;
}

// Items whose fields pass the given test.
template <typename Pred> host::CubeSummary expectedWhere(const std::vector<Item>& rows, Pred pred)
{
    host::CubeSummary s;
    for (const Item& i : rows)
        if (pred(i)) {
            ++s.count;
            s.sum += i.price;
        }
    return s;
}

} // namespace pivottest
