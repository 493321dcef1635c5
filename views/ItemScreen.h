#pragma once

#include "host/forms/TfrmRotiGeral.h"

#include <QVariantList>
#include <memory>
#include <optional>

class QFormLayout;

namespace host {
class DBGrid;
class Query;
} // namespace host

namespace module {

// One quotation item, as the other screens of the system are opened with it.
struct ItemKey
{
    QString branch, number, region, supplier, product, treeCode, brand;
};

// Base of the item screens opened by code ("SUP01802", "SUP01803"): the item read from the
// shared database, its identity shown at the top, and read-only tables of it below.
class TfrmItemScreen : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    TfrmItemScreen(const QString& screenCode, QWidget* parent);
    ~TfrmItemScreen() override;

    // Reads the item; false when the quotation has no such item.
    bool CarregaItem(const ItemKey& key);
    const ItemKey& key() const { return m_key; }
    // The item's record (region, supplier, product and brand with their names, prices,
    // quantity, discount, validity, freight, observation).
    host::Query& item() const { return *m_item; }

protected:
    // What the screen shows of the item, once it was read.
    virtual void showItem() = 0;
    // A labelled read-only line under the item's identity.
    void addLine(const QString& labelKey, const QString& text);
    // A column of an item table: its field, the message key of its title, its width and
    // the display format of a number ("" for none).
    struct TableColumn
    {
        const char* field;
        const char* titleKey;
        int width;
        const char* format = "";
    };
    // A read-only table of one of the screen's queries, bound to the item's key, under a
    // captioned group.
    host::DBGrid* addTable(const QString& captionKey, const QString& queryName,
                           const QList<TableColumn>& columns);

    QFormLayout* lines() const { return m_lines; }

private:
    ItemKey m_key;
    std::unique_ptr<host::Query> m_item;
    std::vector<std::unique_ptr<host::Query>> m_tables;
    QFormLayout* m_lines = nullptr;
};

// The item of a screen's values: `offset` values before the region/supplier/... part
// (SUP01802: centre, number, supplier, product, tree code, brand, region, "").
std::optional<ItemKey> itemKeyOf(const QVariantList& values, int offset);

// Runs an item screen: checks its values, reads the item and shows the screen modally;
// wrong values or a missing item are told and nothing opens.
void runItemScreen(TfrmItemScreen& screen, const QVariantList& values, int offset);

// Makes "SUP01802" and "SUP01803" screens the session opens by code (Halvore.LoadBPL).
void registerItemScreens();

} // namespace module
