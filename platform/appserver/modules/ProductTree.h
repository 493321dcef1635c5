#pragma once

// The product tree as the registers use it: a row that names a tree node (a group or
// subgroup) applies to every product below it, that is to every product whose tree code
// begins with the node's tree code.

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <vector>

namespace host {
class Database;
}

namespace appserver::modules {

// A set of tree nodes.
class TreeNodes
{
public:
    void add(const QString& treeCode);
    bool isEmpty() const { return m_nodes.isEmpty(); }
    // True when the tree code is one of the nodes or lies below one.
    bool covers(const QString& treeCode) const;

private:
    QSet<QString> m_nodes;
    std::vector<int> m_lengths; // distinct lengths of the nodes, the only prefixes to try
};

// Tree nodes grouped by a key (a supplier, a brand, a branch...), read from a statement
// whose first column is the key and second the node's tree code. Throws
// host::EDatabaseError.
QHash<QString, TreeNodes> readTreeNodes(host::Database& db, const QString& sql,
                                        const QVariantList& values = {});

// Every product's tree code, by product code, read once per call.
class ProductTree
{
public:
    explicit ProductTree(host::Database& db);
    bool contains(const QString& productCode) const { return m_trees.contains(productCode); }
    // Empty for an unknown product.
    QString treeCode(const QString& productCode) const { return m_trees.value(productCode); }

private:
    QHash<QString, QString> m_trees;
};

} // namespace appserver::modules
