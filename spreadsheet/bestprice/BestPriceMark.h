#pragma once

#include "BestPrices.h"

#include "host/core/DataSetObserver.h"

#include <QObject>
#include <QString>

namespace module {

class SpreadsheetMenu;
class Worksheet;

// "Destacar Melhor Preço": while the toggle is down, the worksheet draws the best price of
// each product-and-brand row of each region bold on a light green, and the detail panel
// tells the selected row's best price and its supplier. The toggle is remembered per
// operator. The prices are taken again when the items are loaded or many change at once,
// and follow each item posted or deleted on their own.
class BestPriceMark final : public QObject, public host::DataSetObserver
{
    Q_OBJECT
public:
    BestPriceMark(SpreadsheetMenu& menu, Worksheet& worksheet);
    ~BestPriceMark() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    // The prices as marked now (taken again first when the items changed wholesale).
    const BestPrices& prices();

    // The note of a region and product of the worksheet: "Melhor preço da região: <price>
    // (<supplier>)", empty without a price above zero.
    QString note(const QString& region, const QString& product);

private:
    void dataSetChanged(host::DataSet&) override;
    void dataSetDestroyed(host::DataSet&) override;
    void beforePost(host::DataSet& items);
    void afterPost(host::DataSet& items);
    void beforeDelete(host::DataSet& items);
    void saveChoice();

    SpreadsheetMenu& m_menu;
    Worksheet& m_worksheet;
    BestPrices m_prices;
    bool m_active = false;
    bool m_stale = true;
    bool m_observing = false;
    // The key of the item being posted as it was stored (empty for a new item).
    QString m_oldRegion, m_oldSupplier, m_oldProduct;
};

// Puts the mark on the worksheet of the menu's window and its toggle in the menu.
void installBestPriceMark(SpreadsheetMenu& menu);

} // namespace module
