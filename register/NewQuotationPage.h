#pragma once

#include "shell/PageHandler.h"

#include "host/core/FieldDef.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <utility>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace host {
class DataSet;
class Query;
class TBtnPesquisa;
class TDateEditPlus;
class TMaskEdit;
} // namespace host

namespace module {

class ChoiceGroup;
class FieldChecks;
class TfrmPlanCotaPrec;
class ValidityGroup;

// The new-quotation entry of the main window (page tshIncCotacao, "Inclusão de Cotação"):
// the buyer (his password confirmed), the collection date, the validity, which regions,
// suppliers, products, brands and checks take part, and the options. Confirming has the
// server generate the quotation and its items (IncluirCotacao); the worksheet then opens
// on the new quotation. While the entry is open the other pages wait.
class NewQuotationPage final : public QObject, public PageHandler
{
    Q_OBJECT
public:
    explicit NewQuotationPage(TfrmPlanCotaPrec& form);
    ~NewQuotationPage() override;

    host::TMaskEdit* medCdComprador = nullptr;
    host::TBtnPesquisa* btnComprador = nullptr;
    QLineEdit* edtNmComprador = nullptr;
    host::TDateEditPlus* depColeta = nullptr;
    ChoiceGroup* grbRegiao = nullptr;     // rbtTodosDestino / rbtListaDestino / sbtRegiao_Inc
    ValidityGroup* grbValidade = nullptr; // speInicial_Inc, depDtInicial_Inc, ...
    QRadioButton* rbtProdTodos = nullptr;
    QRadioButton* rbtProdComprar = nullptr;
    ChoiceGroup* grbForn = nullptr;       // rbtTForn / rbtListForn / sbtPesqForn
    host::TMaskEdit* medCdProdIni = nullptr;
    host::TBtnPesquisa* btnProdIni = nullptr;
    QLineEdit* edtNmProdIni = nullptr;
    host::TMaskEdit* medCdProdFin = nullptr;
    host::TBtnPesquisa* btnProdFin = nullptr;
    QLineEdit* edtNmProdFin = nullptr;
    ChoiceGroup* grbMarca = nullptr;        // rbtTMarca / rbtListMarca / sbtMarca
    ChoiceGroup* grbVerificacoes = nullptr; // rbtTVerif / rbtListVerif / sbtVerif
    QCheckBox* chkCargObs = nullptr;
    QCheckBox* chkCarrega = nullptr;
    QCheckBox* chkDisMontLis = nullptr;

    // The entry's lists (chosen codes, "" for all) and the all-markers of regions and
    // suppliers.
    QString stRegioes, stTRegiao, stFornecedores, stTForn, stMarcas, stVerificacoes;
    // The buyer's password was confirmed; any change of the buyer code clears it.
    bool boSenhaConfirmada = false;

    // Opens the entry for a new quotation.
    void CriaInclusaoCotacao();
    // Validates and sends; on success the worksheet opens on the new quotation.
    void Confirmar_InclusaoCotacao();
    // Clears the entry and goes back to the list.
    void Cancelar_InclusaoCotacao();

    // Field validations (mandatory: an empty field is an error); each failure focuses its
    // field.
    void vd_Comprador(bool mandatory);
    void vd_DataColeta(bool mandatory);
    void vd_Validade();
    void vd_Produto(host::TMaskEdit* code, QLineEdit* name, bool mandatoryOrder);
    // The checks of the confirmation, in the order that starts with the focused field.
    void Validacao();

    // ---- the page ----------------------------------------------------------------------
    void commandStates() override;
    void extraCommandStates() override;
    void focus() override;
    void confirm() override;
    void cancel() override;

private:
    void createControls();
    QWidget* createProductRow(const QString& caption, const QString& suffix,
                              host::TMaskEdit*& code, host::TBtnPesquisa*& button,
                              QLineEdit*& name);
    void bindReactions();
    void searchRegions();
    void searchSuppliers();
    void searchBrands();
    void searchChecks();
    // A query of the screen, made on first use (its text from the screen's query file
    // unless given).
    host::Query& query(std::unique_ptr<host::Query>& slot, const QString& name,
                       const host::FieldDefs& fields = {}, const QString& sql = QString());
    host::Query& buyers();
    // Every product of the tree (read once).
    host::Query& products();
    // The product range as the server takes it: both tree codes, the final one followed
    // by "Z" up to 10 characters; two empty texts when neither is given.
    std::pair<QString, QString> productRange() const;
    QString detailsOfFailure();
    void showNewQuotation(const QString& number, const QString& buyer, const QDate& from,
                          const QDate& to);

    TfrmPlanCotaPrec& m_form;
    FieldChecks* m_fieldChecks;
    std::unique_ptr<host::Query> m_buyers;
    std::unique_ptr<host::Query> m_regions;
    std::unique_ptr<host::Query> m_products;
    std::unique_ptr<host::Query> m_productCheck;
    std::unique_ptr<host::Query> m_suppliers;
    std::unique_ptr<host::Query> m_brands;
    std::unique_ptr<host::Query> m_checks;
};

} // namespace module
