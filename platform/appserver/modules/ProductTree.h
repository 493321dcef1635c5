#pragma once

// The product tree as the registers use it: a row that names a tree node (a group or
// subgroup) applies to every product below it, that is to every product whose tree code
// begins with the node's tree code.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
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
    // Calls visit(node) for each node that is the tree code or lies above it.
    template <class Visit> void forEachCovering(const QString& treeCode, Visit visit) const
    {
        for (const int length : m_lengths)
            if (length <= treeCode.size()) {
                const QString node = treeCode.left(length);
                if (m_nodes.contains(node))
                    visit(node);
            }
    }

private:
    QSet<QString> m_nodes;
    std::vector<int> m_lengths; // distinct lengths of the nodes, the only prefixes to try
};

// Tree nodes registered for keys (the nodes a supplier supplies, those a brand is
// registered for), asked both ways: do a key's nodes cover a product, and which keys do.
class TreeIndex
{
public:
    void add(const QString& key, const QString& treeCode);
    // True when one of the key's nodes is the tree code or lies above it.
    bool covers(const QString& key, const QString& treeCode) const;
    // The keys with a node that covers the tree code, each once, in code order.
    QStringList keysCovering(const QString& treeCode) const;

private:
    TreeNodes m_nodes;
    QHash<QString, QSet<QString>> m_keys; // node -> keys
};

// Tree nodes grouped by a key (a supplier, a brand, a branch...), read from a statement
// whose first column is the key and second the node's tree code. Throws
// host::EDatabaseError.
QHash<QString, TreeNodes> readTreeNodes(host::Database& db, const QString& sql,
                                        const QVariantList& values = {});

// The same, as an index asked both ways.
TreeIndex readTreeIndex(host::Database& db, const QString& sql, const QVariantList& values = {});

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
