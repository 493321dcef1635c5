#pragma once

#include "host/core/Packet.h"

#include <QByteArray>

// A worksheet-shaped item table for measurements: the composite region (up to 35
// characters), supplier (up to 63) and product/brand (up to 91) values and a price,
// repeated as in a real quotation: about 5 regions and 30 suppliers, the product/brand
// pairs filling the rest.
namespace bench {

host::Packet makeItemPacket(int rows);
QByteArray makeItemJson(int rows);

} // namespace bench
