#pragma once

#include "Ui.h"

#include "host/core/DataSet.h"

#include <QDialog>
#include <QStandardItemModel>

class QTreeView;

namespace host::Internal {

class KeyLookupEdit;

// The product tree (PesquisaArvore): groups and products of the source arranged by their
// tree codes (a code's parent is the longest other code it starts with), shown with the
// product code picture. Only products can be chosen: choosing leaves the source on the
// product, confirming on a group opens or closes it. Typing finds the first tree code that
// starts with the typed digits (the picture's dots may be typed or not), or else the first
// name that starts with the text.
class TreeSearchDialog : public QDialog
{
    Q_OBJECT
public:
    TreeSearchDialog(const TreeSearchRequest& request, const QString& title, QWidget* parent);

    void accept() override;

private:
    struct Node
    {
        QString treeCode;
        QString name;
        int row = -1; // visible row of the source
        bool product = false;
    };

    QList<Node> readNodes(const TreeSearchRequest& request) const;
    void buildTree(const QList<Node>& nodes, const QString& picture);
    QModelIndex findByTyping(const QString& typed) const;
    bool isProduct(const QModelIndex& index) const;

    DataSet& m_source;
    QStandardItemModel m_model;
    QList<QPersistentModelIndex> m_order; // tree order, for the typed search
    QTreeView* m_view;
    KeyLookupEdit* m_lookup;
};

} // namespace host::Internal
