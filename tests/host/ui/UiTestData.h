#pragma once

#include "host/core/DataSet.h"
#include "support/QtPrinters.h"

#include <QStringList>

// Small reference tables like the ones the screens search over.

// Regions: CDREGIAO (3) "Código", NMREGIAO (30) "Nome".
inline void loadRegions(host::DataSet& ds)
{
    using host::FieldDef;
    host::Packet packet({FieldDef::text(QStringLiteral("CDREGIAO"), 3, QStringLiteral("Código")),
                         FieldDef::text(QStringLiteral("NMREGIAO"), 30, QStringLiteral("Nome"))});
    const char* rows[][2] = {{"001", "Grande São Paulo"},
                             {"002", "Interior de São Paulo"},
                             {"003", "Rio de Janeiro"},
                             {"004", "Minas Gerais"},
                             {"005", "Sul"},
                             {"006", "Nordeste"}};
    for (const auto& row : rows)
        packet.appendRow({QString::fromUtf8(row[0]), QString::fromUtf8(row[1])});
    ds.SetData(packet);
}

// Buyers: CDOPERADOR (12), NMOPERADOR (40).
inline void loadBuyers(host::DataSet& ds)
{
    using host::FieldDef;
    host::Packet packet({FieldDef::text(QStringLiteral("CDOPERADOR"), 12, QStringLiteral("Código")),
                         FieldDef::text(QStringLiteral("NMOPERADOR"), 40, QStringLiteral("Nome"))});
    packet.appendRow({QStringLiteral("ANA.CARVALHO"), QStringLiteral("Ana Paula Carvalho")});
    packet.appendRow({QStringLiteral("CARLOS.NUNES"), QStringLiteral("Carlos Eduardo Nunes")});
    packet.appendRow({QStringLiteral("DANIELA.LIMA"), QStringLiteral("Daniela Souza Lima")});
    ds.SetData(packet);
}

// Product tree in tree-code order: groups of level 1 and 2, products of level 3.
inline void loadProducts(host::DataSet& ds)
{
    using host::FieldDef;
    using host::FieldType;
    host::Packet packet({FieldDef::text(QStringLiteral("CDPRODUTO"), 10),
                         FieldDef::text(QStringLiteral("CDARVPROD"), 20),
                         FieldDef::text(QStringLiteral("NMPRODUTO"), 50),
                         FieldDef::of(QStringLiteral("CDNVPRODUTO"), FieldType::Integer)});
    const struct
    {
        const char* code;
        const char* tree;
        const char* name;
        int level;
    } rows[] = {
        {"0000000001", "01", "MERCEARIA", 1},
        {"0000000002", "0101", "ARROZ E FEIJÃO", 2},
        {"0000000003", "0101001", "ARROZ BRANCO TIPO 1 5KG", 3},
        {"0000000004", "0101002", "ARROZ PARBOILIZADO TIPO 1 5KG", 3},
        {"0000000005", "0102", "ÓLEOS E AÇÚCARES", 2},
        {"0000000006", "0102001", "ÓLEO DE SOJA REFINADO 900ML", 3},
        {"0000000007", "02", "LIMPEZA", 1},
        {"0000000008", "0201", "LAVANDERIA", 2},
        {"0000000009", "0201001", "SABÃO EM PÓ 1KG", 3},
    };
    for (const auto& row : rows)
        packet.appendRow({QString::fromUtf8(row.code), QString::fromUtf8(row.tree),
                          QString::fromUtf8(row.name), row.level});
    ds.SetData(packet);
}

inline QString fieldText(host::DataSet& ds, const char* field)
{
    return ds.FieldByName(QString::fromLatin1(field)).AsString();
}
