#pragma once

#include "host/core/DataSet.h"
#include "host/forms/TfrmFiltroPadrao.h"

#include <QDate>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace host {
class Query;
class TBtnPesquisa;
class TDateEditPlus;
class TWeekSpinEdit;
} // namespace host

namespace module {

class TfrmPlanCotaPrec;
class ChoiceGroup;
class ValidityGroup;

// The quotation filter (screen "SUP01701"): which buyers, regions and suppliers, and which
// validity period, the quotation list of the main window shows. Confirming it loads the
// quotations, their quoted suppliers and the centre's purchasing parameters into the main
// window. The dialog is kept while the main window lives; each showing puts back the
// filter as last confirmed.
class TfrmFiltroCotacao : public host::TfrmFiltroPadrao
{
    Q_OBJECT
public:
    explicit TfrmFiltroCotacao(TfrmPlanCotaPrec& mainForm);
    ~TfrmFiltroCotacao() override;

    // "Comprador", "Região" and "Fornecedor": the list or every code, and the search of
    // the list.
    QRadioButton* rbtListaComprador = nullptr;
    QRadioButton* rbtTodosComprador = nullptr;
    host::TBtnPesquisa* sbtComprador = nullptr;
    QRadioButton* rbtListaRegiao = nullptr;
    QRadioButton* rbtTodosRegiao = nullptr;
    host::TBtnPesquisa* sbtRegiao = nullptr;
    QRadioButton* rbtLForn = nullptr;
    QRadioButton* rbtTForn = nullptr;
    host::TBtnPesquisa* sbtForn = nullptr;
    // "Validade": initial and final week, date and the date's day name.
    host::TWeekSpinEdit* speInicial = nullptr;
    host::TDateEditPlus* depDtInicial = nullptr;
    QLineEdit* edtNmSemInicial = nullptr;
    host::TWeekSpinEdit* speFinal = nullptr;
    host::TDateEditPlus* depDtFinal = nullptr;
    QLineEdit* edtNmSemFinal = nullptr;
    // Whether the quotations are worked in the worksheet (hidden, always checked).
    QCheckBox* chkPlanilha = nullptr;

    // Buyers and regions to choose from; the quoted suppliers, read once from the server.
    std::unique_ptr<host::Query> qryComprador;
    std::unique_ptr<host::Query> qryRegiao;
    host::DataSet cdsPesqForn{QStringLiteral("cdsPesqForn")};
    // The validity the filter starts from.
    host::DataSet cdsDadosFiltro{QStringLiteral("cdsDadosFiltro")};

    // First creation: the validity of the latest quotation becomes the filter's period, and
    // a buyer starts with only himself in the buyer list (everyone else with all buyers).
    void loadStartingFilter();
    // The refresh of the quotation list: the filter as last confirmed, confirmed again
    // with its validations, without showing the dialog.
    void repeatConfirmation();

    // The searches of the three lists (their buttons, or F9 on a "Lista" option).
    void searchBuyers();
    void searchRegions();
    void searchSuppliers();

protected:
    void showEvent(QShowEvent* event) override;
    void sbtConfirmaClick() override;
    void putOptions(host::OptionList& options) override;
    void takeOptions(const host::OptionList& options) override;

private:
    // What was last confirmed, put back at each showing.
    struct Remembered
    {
        bool buyerList = false;
        QString buyers;
        bool regionList = false;
        QString regions;
        bool supplierList = false;
        QString suppliers;
        QDate from;
        QDate to;
    };

    void createControls();
    QGroupBox* createValidityGroup();
    void createTables();

    void FormActivate();
    int formHeight() const;
    void restoreRemembered();
    void remember();

    // The confirmation, in the order a buyer sees its checks.
    void confirm();
    [[noreturn]] void fail(QWidget* control, const QString& key);
    void validate();
    void loadQuotations(const QDate& from, const QDate& to);
    void loadParameters();

    TfrmPlanCotaPrec& m_main;
    ChoiceGroup* m_buyers = nullptr;
    ChoiceGroup* m_regions = nullptr;
    ChoiceGroup* m_suppliers = nullptr;
    ValidityGroup* m_validity = nullptr;
    Remembered m_remembered;
};

} // namespace module
