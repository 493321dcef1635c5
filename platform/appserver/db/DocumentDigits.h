#pragma once

#include <QString>

namespace appserver::db {

// Brazilian taxpayer numbers completed with their two check digits (modulus 11).
// Company register (CNPJ): 12 base digits in, 14 digits out.
QString cnpjWithCheckDigits(const QString& base12);
// Person register (CPF): 9 base digits in, 11 digits out.
QString cpfWithCheckDigits(const QString& base9);

} // namespace appserver::db
