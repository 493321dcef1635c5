#pragma once

#include "MaintenanceDialog.h"

#include "host/core/DataSet.h"

namespace module {

class LookupField;

// "Exclusão de Produto" (screen "SUP01706"): a product of the current quotation taken out
// of it under every brand, in every region and for every supplier. Only the quotation's
// own products can be chosen; the selected cell's product is proposed.
class TfrmProdutoDelete final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmProdutoDelete(TfrmPlanCotaPrec& form);

    LookupField* produto = nullptr; // medCdProduto, btnProduto, edtNmProduto
    // The quotation's products: CDPRODUTO (hidden), CDARVPROD, NMPRODUTO.
    host::DataSet cdsProduto{QStringLiteral("cdsProduto")};

    // The filter text of the items of one product (its internal code) among the
    // worksheet's product-and-brand values: each value whose code part is the product's,
    // compared whole. Empty when none is.
    static QString productItemsFilter(const QStringList& productValues, const QString& productCode);

protected:
    void sbtConfirmaClick() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildProducts();
    void Vd_Produto(bool force);
};

} // namespace module
