#pragma once

#include "AssignmentPage.h"

#include <memory>

namespace host {
class Query;
}

namespace module {

// "Fornecedor/Produto" (tshFornProd): the product/brand pairs of the quotation and, for the
// selected pair, the item of each region and supplier, with their prices. The buyer adds a
// region and supplier for the pair, changes price and discount, or deletes an item; the
// region and supplier of an existing item are not typed over.
class SupplierProductPage final : public AssignmentPage
{
public:
    explicit SupplierProductPage(TfrmPlanCotaPrec& form);
    ~SupplierProductPage() override;

protected:
    QString pairFilter() const override;
    void pairGlobals() override;
    PairBlocks pairBlocks() override;
    void itemGlobals(bool none) override;
    void newItemDefaults() override;
    void newItemKey() override;
    void checkItem() override;
    void columnLeft(host::Field& field) override;
    void columnEntered(host::Field& field) override;
    void searchColumn(host::Field& field) override;
    void prepareItemFields() override;
    void itemStateChanged() override;

private:
    void searchRegion();
    void searchSupplier();

    std::unique_ptr<host::Query> m_regions;
    std::unique_ptr<host::Query> m_suppliers;
};

} // namespace module
