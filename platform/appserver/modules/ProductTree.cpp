#include "ProductTree.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace appserver::modules {

namespace {

} // namespace

void TreeNodes::add(const QString& treeCode)
{
    const QString node = treeCode.trimmed();
    if (node.isEmpty())
        return;
    m_nodes.insert(node);
    const int length = int(node.size());
    if (std::find(m_lengths.begin(), m_lengths.end(), length) == m_lengths.end())
        m_lengths.push_back(length);
}

bool TreeNodes::covers(const QString& treeCode) const
{
    for (const int length : m_lengths)
        if (length <= treeCode.size() && m_nodes.contains(treeCode.left(length)))
            return true;
    return false;
}

QHash<QString, TreeNodes> readTreeNodes(host::Database& db, const QString& sql,
                                        const QVariantList& values)
{
    QHash<QString, TreeNodes> nodes;
    QSqlQuery query = db.run(sql, values);
    while (query.next())
        nodes[query.value(0).toString()].add(query.value(1).toString());
    return nodes;
}

ProductTree::ProductTree(host::Database& db)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT CDPRODUTO, CDARVPROD FROM PRODUTO"), {});
    while (query.next())
        m_trees.insert(query.value(0).toString(), query.value(1).toString().trimmed());
}

} // namespace appserver::modules
