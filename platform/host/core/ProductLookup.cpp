#include "ProductLookup.h"

#include "DataSet.h"
#include "Database.h"

#include <QSqlQuery>

namespace host {

QString bareTreeCode(const QString& typed)
{
    QString code;
    for (const QChar c : typed)
        if (c.isLetterOrNumber())
            code.append(c);
    return code;
}

bool ValidEx(QString& code, DataSet& source, const QString& treeField)
{
    const QString bare = bareTreeCode(code);
    if (bare.isEmpty() || !source.Active())
        return false;
    if (!source.Locate(treeField, bare))
        return false;
    code = bare;
    return true;
}

QVariantList Dados_Produto(Database& db, const QString& treeCode)
{
    QSqlQuery product = db.run(QStringLiteral("SELECT CDARVPROD, NMPRODUTO, CDPRODUTO, CDNVPRODUTO "
                                              "FROM PRODUTO WHERE CDARVPROD = ?"),
                               {bareTreeCode(treeCode)});
    if (!product.next())
        return {};
    return {product.value(0), product.value(1), product.value(2), product.value(3)};
}

} // namespace host
