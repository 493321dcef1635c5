#include "ItemTableGenerator.h"

#include "host/core/WireCodec.h"

namespace bench {

host::Packet makeItemPacket(int rows)
{
    using host::FieldDef;
    using host::FieldType;
    host::Packet packet(host::FieldDefs{FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                                        FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                                        FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                                        FieldDef::of(QStringLiteral("VRPRECUNIITM"), FieldType::Float)});
    const int regions = 5, suppliers = 30;
    const int products = std::max(1, rows / (regions * suppliers));
    auto table = packet.table();
    table->reserve(rows);
    const QString sep1 = QStringLiteral("¤¤"), sep2 = QStringLiteral("¥¥");
    for (int i = 0; i < rows; ++i) {
        const int r = i % regions;
        const int s = (i / regions) % suppliers;
        const int p = (i / (regions * suppliers)) % products;
        const QString region = QStringLiteral("%1").arg(r + 1, 3, 10, QLatin1Char('0')) + sep1 +
                               QStringLiteral("REGIÃO %1 DO ABASTECIMENTO").arg(r + 1);
        const QString supplier = QStringLiteral("%1").arg(1000 + s, 14, 10, QLatin1Char('0')) + sep1 +
                                 QStringLiteral("FORNECEDOR DE ALIMENTOS Nº %1 LTDA").arg(s + 1);
        const QString product = QStringLiteral("PRODUTO ALIMENTÍCIO CÓDIGO %1 EMBALAGEM 5KG").arg(p + 1) +
                                sep1 + QStringLiteral("%1").arg(p + 1, 10, 10, QLatin1Char('0')) + sep2 +
                                QStringLiteral("%1").arg(p % 7 + 1, 5, 10, QLatin1Char('0')) + sep1 +
                                QStringLiteral("MARCA %1").arg(p % 7 + 1);
        const quint32 slot = table->addSlot();
        table->setValue(slot, 0, region);
        table->setValue(slot, 1, supplier);
        table->setValue(slot, 2, product);
        table->setValue(slot, 3, (i % 11 == 0) ? 0.0 : 1.0 + (i % 997) / 100.0);
    }
    return packet;
}

QByteArray makeItemJson(int rows)
{
    return host::wire::encode(QVariant::fromValue(makeItemPacket(rows)));
}

} // namespace bench
