#pragma once

#include <QString>

namespace host {
class DataSet;
}

namespace module {

class TfrmPlanCotaPrec;

// The checks of an item typed row by row on the assignment pages (and by the maintenance
// dialogs): each fills the row's dependent fields (names, codes, supplier terms), stops at
// the first rule that fails with the main window's message and puts the focus back on the
// offending field of the row (its grid cell). `mandatory`: the value must be there (when
// posting); leaving a column checks only what was typed.

// The product typed as a tree code (CDARVPROD): a product of the quotation's purchases,
// not already quoted for the row's region, supplier and brand, registered and qualified
// for the supplier, negotiated by the quotation's buyer.
void vd_ProdutoCot(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory);
// The brand (CDMARCA): registered, for the product unless the centre has a default brand,
// not already quoted, qualified for the product at the quotation's date.
void vd_Marca(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory);
// The unit price is given.
void Vd_PrecUnit(TfrmPlanCotaPrec& form, host::DataSet& row);
// The region (CDREGIAO) of a new row of the supplier/product page, for the selected
// product and brand.
void Vd_Regiao(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory);
// The supplier typed by its document (NRINSJURFORN) on a new row of the supplier/product
// page: registered, its terms copied, not already quoted, serving the row's region,
// qualified and active, qualified for and supplying the selected product.
void Vd_FornProd(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory);

// What keeps the rows of the selected pair from being changed: three positions, "S" where
// the reason holds.
struct PairBlocks
{
    enum class Page
    {
        ProductSupplier, // the supplier does not serve the region / is not qualified / inactive
        SupplierProduct, // the brand is not qualified / the product is another buyer's / not the buyer's
    };
    Page page = Page::ProductSupplier;
    QString flags = QStringLiteral("NNN");

    bool any() const { return flags.contains(QLatin1Char('S')); }
};
// The reasons of a region/supplier pair of the quotation.
PairBlocks regionSupplierBlocks(TfrmPlanCotaPrec& form, const QString& region,
                                const QString& supplier);
// The reasons of a product/brand pair of the quotation.
PairBlocks productBrandBlocks(TfrmPlanCotaPrec& form, const QString& product,
                              const QString& treeCode, const QString& brand);
// The operator may change the pair's rows: the operator checks of the price entry, then
// the message of the first reason that holds.
void vd_BloqAlter(TfrmPlanCotaPrec& form, const PairBlocks& blocks);

// The supplier's terms for a new item: freight type and, when the supplier grants a
// discount on every item ("C"), its percentage (else 0). `supplier` holds the supplier's
// IDTPFRETFORN, IDTPDESCFORN and VRPEDESCFORN.
void copySupplierTerms(const host::DataSet& supplier, host::DataSet& row);

} // namespace module
