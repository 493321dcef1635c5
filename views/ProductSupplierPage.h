#pragma once

#include "AssignmentPage.h"

#include <memory>

namespace host {
class Query;
}

namespace module {

// "Produto/Fornecedor" (tshProdForn): the region/supplier pairs of the quotation and, for
// the selected pair, the products and brands the supplier quoted, with their prices. The
// buyer adds an item for the pair, changes its product, brand, price and discount, or
// deletes it.
class ProductSupplierPage final : public AssignmentPage
{
public:
    explicit ProductSupplierPage(TfrmPlanCotaPrec& form);
    ~ProductSupplierPage() override;

protected:
    QString pairFilter() const override;
    void pairGlobals() override;
    PairBlocks pairBlocks() override;
    void itemGlobals(bool none) override;
    void newItemDefaults() override;
    void newItemKey() override;
    void checkItem() override;
    void columnLeft(host::Field& field) override;
    void searchColumn(host::Field& field) override;
    void prepareItemFields() override;

private:
    void searchProduct();
    void searchBrand();

    std::unique_ptr<host::Query> m_products;
    std::unique_ptr<host::Query> m_brands;
};

} // namespace module
