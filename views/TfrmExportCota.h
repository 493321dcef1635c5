#pragma once

#include "host/core/DataSet.h"
#include "host/forms/TfrmPadrImportExport.h"

#include <memory>

class QLineEdit;
class QRadioButton;
class QToolButton;

namespace host {
class Query;
class TDateEditPlus;
class TNumberEdit;
} // namespace host

namespace module {

class ChoiceGroup;
class FieldChecks;
class TfrmPlanCotaPrec;
class ValidityGroup;

// "Duplicar Cotação" (screen "SUP01713"): copies the current quotation, or every quotation
// of a validity period (of all buyers or of a list of them), into a new validity with a
// readjustment of the prices. The server makes the copies (DuplicaCotacao); quotations it
// could not copy are listed in the report "SUP01721".
class TfrmExportCota final : public host::TfrmPadrImportExport
{
    Q_OBJECT
public:
    explicit TfrmExportCota(TfrmPlanCotaPrec& mainForm);
    ~TfrmExportCota() override;

    QRadioButton* rbtCotCurr = nullptr;
    QRadioButton* rbtCotInfo = nullptr;
    ValidityGroup* grbCotacao = nullptr;   // speValIni/depDtIniCot, speValFin/depDtFinCot
    ChoiceGroup* grbComprador = nullptr;   // rbtTodos / rbtLista / sbtComprador
    host::TDateEditPlus* depColeta = nullptr;
    QLineEdit* edtDiaColeta = nullptr;
    host::TNumberEdit* nedReajuste = nullptr;
    ValidityGroup* grbValidade = nullptr;  // speInicial_Inc/depDtInicial_Inc, ...
    QToolButton* sbtRelCotNDup = nullptr;

    // The buyers chosen ("_CODE_..._"), and the first and last number (10 characters) of
    // the log of quotations the last duplication could not copy.
    QString stComprador;
    QString stNrCotIni;
    QString stNrCotFin;
    // The proposal of the new validity is read once, the first time the dialog shows.
    bool boPrimeiraVez = true;
    // 99 once a duplication was sent and answered: closing then reloads the main list.
    int executeTag = 0;
    // The latest quotation of the centre: NRSEMAFINAL and DTFINVALCOL (0 or 1 row).
    host::DataSet cdsDadosTela{QStringLiteral("cdsDadosTela")};

    // The checks of the execution (each failure focuses its field).
    void Vd_DataColeta(bool mandatory);
    void Vd_Validade();
    void Vd_Periodo();
    void Vd_Comprador();

protected:
    void sbtImportExportClick() override;
    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    QWidget* createModeRow();
    void FormActivate();
    // Proposes the two weeks after the centre's latest quotation (GetDadDuplica).
    void proposeValidity();
    // Enables the source period and the buyers by the mode (and the installation's rule
    // that may force a list of buyers).
    void applyMode();
    void searchBuyers();
    // Runs every check, starting with the group that holds the focus.
    void checkAll();
    void showNotCopied(const QString& answer);
    // The main window's list for the buyers and the new validity.
    void reloadMainList();
    bool buyerListChosen() const;
    QString generalParameter();

    TfrmPlanCotaPrec& m_main;
    FieldChecks* m_checks;
    std::unique_ptr<host::Query> m_buyers;
};

// Creates the dialog, shows it modally, then shows the main window's list page.
void CriaCopyCota(TfrmPlanCotaPrec& mainForm);

} // namespace module
