#include "ProductTree.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace appserver::modules {

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

void TreeIndex::add(const QString& key, const QString& treeCode)
{
    const QString node = treeCode.trimmed();
    if (node.isEmpty())
        return;
    m_nodes.add(node);
    m_keys[node].insert(key);
}

bool TreeIndex::covers(const QString& key, const QString& treeCode) const
{
    bool found = false;
    m_nodes.forEachCovering(treeCode, [&](const QString& node) {
        const auto keys = m_keys.constFind(node);
        found = found || (keys != m_keys.constEnd() && keys->contains(key));
    });
    return found;
}

QStringList TreeIndex::keysCovering(const QString& treeCode) const
{
    QSet<QString> keys;
    m_nodes.forEachCovering(treeCode, [&](const QString& node) { keys.unite(m_keys.value(node)); });
    QStringList sorted(keys.begin(), keys.end());
    sorted.sort();
    return sorted;
}

TreeIndex readTreeIndex(host::Database& db, const QString& sql, const QVariantList& values)
{
    TreeIndex index;
    QSqlQuery query = db.run(sql, values);
    while (query.next())
        index.add(query.value(0).toString(), query.value(1).toString());
    return index;
}

ProductTree::ProductTree(host::Database& db)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT CDPRODUTO, CDARVPROD FROM PRODUTO"), {});
    while (query.next())
        m_trees.insert(query.value(0).toString(), query.value(1).toString().trimmed());
}

} // namespace appserver::modules
