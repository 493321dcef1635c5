#pragma once

#include "MaintenanceDialog.h"

#include "host/core/DataSet.h"

class QRadioButton;
class QToolButton;

namespace module {

class LookupField;

// "Inclusão de Produto" (screen "SUP01705"): a product added to the current quotation in
// the regions and for the suppliers the server finds for it, with the brands chosen from a
// list or, automatically, those qualified for it. Kept once made: each opening starts from
// an empty product and the worksheet's lists as they are then; the brand choice stays.
class TfrmProdutoInsert final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmProdutoInsert(TfrmPlanCotaPrec& form);

    LookupField* produto = nullptr; // medCdProduto, btnProduto, edtNmProduto
    QRadioButton* rbtAuto = nullptr;
    QRadioButton* rbtLista = nullptr;
    QToolButton* sbtMarca = nullptr;
    // The rows the server offers for the product.
    host::DataSet cdsInsProd{QStringLiteral("cdsInsProd")};

    // Empties the product and takes the worksheet's lists again.
    void reset();
    // The brands chosen from the list ("_c1_c2_"); empty when none.
    const QString& chosenBrands() const { return m_chosenBrands; }

protected:
    void sbtConfirmaClick() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    host::Query& products();
    void chooseBrands();

    void Vd_Produto(bool force);
    void vd_Marca();
    void vd_Fornecedor();
    void vd_ProdComp();
    void Vd_FuncaoFili();
    QString productCode() const;

    QStringList m_suppliers;    // whole values
    QStringList m_productCodes; // codes
    QStringList m_regions;      // whole values
    QString m_chosenBrands;
    QString m_productCode; // of the product last validated
};

} // namespace module
