#include "CheckResultServ.h"

#include "NetTexts.h"

#include "host/core/Exceptions.h"
#include "host/core/Packet.h"

namespace host {

namespace {

using net::netText;

bool isPacket(const QVariant& v)
{
    return v.metaType() == QMetaType::fromType<Packet>();
}

// The two-part answers of the server: two packets (a list and its details) or a text and a
// packet (the worksheet's detail lines and its items).
bool isPacketPair(const QVariant& v)
{
    if (v.metaType().id() != QMetaType::QVariantList)
        return false;
    const QVariantList list = v.toList();
    auto part = [](const QVariant& p) { return isPacket(p) || p.metaType().id() == QMetaType::QString; };
    return list.size() == 2 && part(list[0]) && isPacket(list[1]);
}

// What came instead of the expected value, for the error text.
QString shapeOf(const QVariant& v)
{
    if (v.isNull())
        return netText(QStringLiteral("Tipo_Nulo"));
    if (isPacket(v))
        return netText(QStringLiteral("Tipo_Pacote"));
    if (v.metaType() == QMetaType::fromType<Delta>())
        return netText(QStringLiteral("Tipo_Delta"));
    switch (v.metaType().id()) {
    case QMetaType::QString:
        return netText(QStringLiteral("Tipo_TextoVazio"));
    case QMetaType::QVariantList:
        return netText(QStringLiteral("Tipo_Lista")).arg(v.toList().size());
    case QMetaType::QVariantMap:
        return netText(QStringLiteral("Tipo_Objeto"));
    case QMetaType::Bool:
        return netText(QStringLiteral("Tipo_Logico"));
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double:
        return netText(QStringLiteral("Tipo_Numero"));
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return netText(QStringLiteral("Tipo_Data"));
    default:
        return netText(QStringLiteral("Tipo_Outro")).arg(QString::fromLatin1(v.typeName()));
    }
}

} // namespace

QVariant CheckResultServ(const QVariant& result, bool packet, int /*reserved*/)
{
    const int type = result.metaType().id();
    if (packet) {
        if (isPacket(result) || isPacketPair(result))
            return result;
        if (type == QMetaType::QString && !result.toString().isEmpty())
            throw ERemote(result.toString());
        throw ERemote(netText(QStringLiteral("Res_SemPacote")).arg(shapeOf(result)));
    }
    if (result.isNull())
        return QString();
    switch (type) {
    case QMetaType::QString:
        return result;
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double:
        return result.toString();
    default:
        throw ERemote(netText(QStringLiteral("Res_SemTexto")).arg(shapeOf(result)));
    }
}

} // namespace host
