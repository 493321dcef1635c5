#pragma once

#include <QString>
#include <QVariantList>

namespace host {

class DataSet;
class Database;

// Product codes as the screens type them: the product tree code (CDARVPROD, digits) shown
// through the product picture (e.g. "01.02.001").

// Checks a typed tree code against a product source: the picture's literals are removed
// and the code must be the tree code of a row of `source` (the source's cursor is left on
// it). On success `code` holds the bare tree code. An empty code is not valid.
bool ValidEx(QString& code, DataSet& source, const QString& treeField = QStringLiteral("CDARVPROD"));

// The product of a tree code, read from the shared database: { CDARVPROD, NMPRODUTO,
// CDPRODUTO, CDNVPRODUTO } (the product code is element 2); empty when there is none.
QVariantList Dados_Produto(Database& db, const QString& treeCode);

// A typed tree code without the picture's literals ("01.02.001" gives "0102001").
QString bareTreeCode(const QString& typed);

} // namespace host
