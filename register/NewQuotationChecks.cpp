// The new-quotation entry's field reactions, searches and validations.

#include "NewQuotationPage.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/FieldChecks.h"
#include "module/controls/ValidityGroup.h"
#include "module/controls/WeekDateLink.h"
#include "module/records/Codes.h"
#include "module/records/Qualification.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/ProductLookup.h"
#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/SpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

namespace module {

namespace {

// Width of the check names sent to the checks' query.
constexpr int kCheckNameWidth = 60;

} // namespace

// ---- the entry's queries ---------------------------------------------------------------------

host::Query& NewQuotationPage::query(std::unique_ptr<host::Query>& slot, const QString& name,
                                     const host::FieldDefs& fields, const QString& sql)
{
    if (!slot) {
        host::Database* db = host::Halvore::instance().database();
        if (!db)
            host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
        slot = std::make_unique<host::Query>(*db, name);
        if (!fields.empty())
            slot->SetFieldDefs(fields);
        if (sql.isEmpty())
            slot->LoadSQL(QStringLiteral("SUP01700"));
        else
            slot->SetSQL(sql);
    }
    return *slot;
}

host::Query& NewQuotationPage::buyers()
{
    return query(m_buyers, QStringLiteral("qryComprador"),
                 {operatorCodeField(QStringLiteral("Código")),
                  operatorNameField(QStringLiteral("Nome"))});
}

host::Query& NewQuotationPage::products()
{
    host::Query& products = query(m_products, QStringLiteral("qryProduto"));
    if (!products.Active())
        products.Open();
    return products;
}

// ---- reactions ---------------------------------------------------------------------------------

void NewQuotationPage::bindReactions()
{
    // The buyer: typing forgets the name and the confirmed password; leaving validates.
    host::connectGuarded(medCdComprador, &QLineEdit::textEdited, this, [this](const QString&) {
        edtNmComprador->clear();
        boSenhaConfirmada = false;
    });
    m_fieldChecks->onExit(medCdComprador, [this] { vd_Comprador(false); });
    btnComprador->BeforePesq = [this] {
        host::Query& q = buyers();
        q.SetParam(QStringLiteral("P_CDOPERADOR"), QString());
        q.SetParam(QStringLiteral("P_TOPERADOR"), QString::fromLatin1(AllMarker));
        q.Open();
    };
    host::SearchRequest buyerSearch;
    buyerSearch.keyField = QStringLiteral("CDOPERADOR");
    buyerSearch.title = m_form.msgPadrao.Msg(QStringLiteral("Comprador"));
    buyerSearch.emptyText = m_form.msgPadrao.Msg(QStringLiteral("Comp_N_Found"));
    buyerSearch.parent = &m_form;
    btnComprador->OnPesquisa = [this, buyerSearch]() mutable {
        buyerSearch.source = &buyers();
        return host::Ui::current().Pesquisar(buyerSearch);
    };
    btnComprador->AfterPesq = [this] {
        host::Query& q = buyers();
        const QString chosen = q.FieldByName(QStringLiteral("CDOPERADOR")).AsString();
        if (normaliseBuyer(chosen) != normaliseBuyer(medCdComprador->Text()))
            boSenhaConfirmada = false;
        medCdComprador->SetText(chosen);
        edtNmComprador->setText(q.FieldByName(QStringLiteral("NMOPERADOR")).AsString());
    };

    // The collection date: leaving checks the date and validates it as optional.
    m_fieldChecks->onExit(depColeta, [this] {
        m_fieldChecks->checkDate(depColeta);
        vd_DataColeta(false);
    });
    // Leaving a validity date takes its week only when it is a date; no check there.
    grbValidade->initialWeek->setChecksDateOnLeave(false);
    grbValidade->finalWeek->setChecksDateOnLeave(false);

    // The products: typing forgets the name; leaving validates without the order check.
    for (auto [code, name, button] : {std::tuple{medCdProdIni, edtNmProdIni, btnProdIni},
                                      std::tuple{medCdProdFin, edtNmProdFin, btnProdFin}}) {
        host::connectGuarded(code, &QLineEdit::textEdited, this,
                             [name](const QString&) { name->clear(); });
        m_fieldChecks->onExit(code, [this, code, name] { vd_Produto(code, name, false); });
        button->OnPesquisa = [this] {
            host::TreeSearchRequest request;
            request.source = &products();
            request.title = m_form.msgPadrao.Msg(QStringLiteral("Produto"));
            request.emptyText = m_form.msgPadrao.Msg(QStringLiteral("Prod_N_Found"));
            request.parent = &m_form;
            return host::Ui::current().PesquisaArvore(request);
        };
        button->AfterPesq = [this, code, name] {
            host::Query& chosen = products();
            code->SetText(chosen.FieldByName(QStringLiteral("CDARVPROD")).AsString());
            name->setText(chosen.FieldByName(QStringLiteral("NMPRODUTO")).AsString());
        };
    }

    grbRegiao->search = [this] { searchRegions(); };
    grbForn->search = [this] { searchSuppliers(); };
    grbMarca->search = [this] { searchBrands(); };
    grbVerificacoes->search = [this] { searchChecks(); };
}

// ---- the list searches -------------------------------------------------------------------------

void NewQuotationPage::searchRegions()
{
    host::Query& regions = query(m_regions, QStringLiteral("qryRegiao"),
                                 {regionCodeField(QStringLiteral("Código")),
                                  regionNameField(QStringLiteral("Nome"))});
    regions.SetParam(QStringLiteral("P_CDREGIAO"), QString());
    regions.SetParam(QStringLiteral("P_TCDREGIAO"), QString::fromLatin1(AllMarker));
    regions.Open();
    if (regions.IsEmpty())
        host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("N_Reg_Cad")));
    grbRegiao->chooseFrom(regions, QStringLiteral("CDREGIAO"),
                          m_form.msgPadrao.Msg(QStringLiteral("Regiao")));
}

void NewQuotationPage::searchSuppliers()
{
    if (!m_suppliers) {
        // Active suppliers whose qualification lets them be quoted on the collection date.
        host::FieldDefs fields = supplierChoiceFields();
        fields.append(supplierKindField(QStringLiteral("Tipo")));
        query(m_suppliers, QStringLiteral("cdsPesqForn"), fields,
              QStringLiteral("SELECT 'N' AS IDMARCADO, F.CDFORNECED, F.IDTPIJURFORN, "
                             "F.NRINSJURFORN, F.NMFANTFORN, F.NMRAZSOCFORN, F.IDTIPOFORN "
                             "FROM FORNECEDOR F WHERE ") +
                  supplierOfferedCondition(QString::fromLatin1(SearchReferenceDateParameter),
                                           QStringLiteral("F")) +
                  QStringLiteral(" ORDER BY F.NMFANTFORN"));
        bindSupplierDisplay(*m_suppliers, m_form.msgPadrao);
    }
    const QDate collection = depColeta->GetDate();
    m_suppliers->SetParam(QString::fromLatin1(SearchReferenceDateParameter),
                          collection.isValid() ? QVariant(collection.toString(Qt::ISODate))
                                               : QVariant());
    m_suppliers->SetParam(QString::fromLatin1(QualificationRuleParameter),
                          m_form.purchasingParameter(QStringLiteral("IDULTIDTVALQ")));
    m_suppliers->Open();
    grbForn->chooseFrom(*m_suppliers, QStringLiteral("CDFORNECED"),
                        m_form.msgPadrao.Msg(QStringLiteral("msgForn")) + QLatin1Char('|') +
                            m_form.msgPadrao.Msg(QStringLiteral("N_Forn_Cad")));
}

void NewQuotationPage::searchBrands()
{
    host::Query& brands = query(m_brands, QStringLiteral("qryPesqMarca"),
                                {brandCodeField(QStringLiteral("Código")),
                                 brandNameField(QStringLiteral("Nome"))});
    brands.SetParam(QStringLiteral("P_CDMARCA"), QString());
    brands.SetParam(QStringLiteral("P_TCDMARCA"), QString::fromLatin1(AllMarker));
    brands.Open();
    if (brands.IsEmpty())
        host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("N_Marc_Cad")));
    grbMarca->chooseFrom(brands, QStringLiteral("CDMARCA"),
                         m_form.msgPadrao.Msg(QStringLiteral("Title_PesqMarca")));
}

void NewQuotationPage::searchChecks()
{
    host::Query& checks =
        query(m_checks, QStringLiteral("qryVerificacoes"),
              {host::FieldDef::text(QStringLiteral("IDMARCADO"), Width::Flag),
               hidden(host::FieldDef::text(QStringLiteral("CDVERIF"), 1)),
               host::FieldDef::text(QStringLiteral("NMVERIF"), kCheckNameWidth,
                                    m_form.msgPadrao.Msg(QStringLiteral("Verif")))});
    static const std::array<const char*, 4> names = {"Verif_ProdComp", "Verif_QfoForn",
                                                      "Verif_QfoProdForn", "Verif_QfoMarcProd"};
    for (std::size_t i = 0; i < names.size(); ++i)
        checks.SetParam(QStringLiteral("P_VERIF_%1").arg(i),
                        m_form.msgPadrao.Msg(QString::fromLatin1(names[i]))
                            .leftJustified(kCheckNameWidth, QLatin1Char(' '), true));
    checks.Open();
    grbVerificacoes->chooseFrom(checks, QStringLiteral("CDVERIF"),
                                m_form.msgPadrao.Msg(QStringLiteral("Verif")));
}

// ---- validations -------------------------------------------------------------------------------

void NewQuotationPage::vd_Comprador(bool mandatory)
{
    if (medCdComprador->IsEmpty()) {
        if (mandatory)
            m_fieldChecks->fail(medCdComprador, QStringLiteral("Comp_N_Inf"));
        return;
    }
    const QString buyer = normaliseBuyer(medCdComprador->Text());
    medCdComprador->SetText(buyer);
    host::Query& q = buyers();
    q.SetParam(QStringLiteral("P_CDOPERADOR"), buyer);
    q.SetParam(QStringLiteral("P_TOPERADOR"), QString());
    q.Open();
    if (q.IsEmpty())
        m_fieldChecks->fail(medCdComprador, QStringLiteral("Comp_N_Cad"));
    edtNmComprador->setText(q.FieldByName(QStringLiteral("NMOPERADOR")).AsString());
    if (boSenhaConfirmada)
        return;
    const bool confirmed = host::Ui::current().CriaConfSenha(
        buyer, m_form.msgPadrao.Msg(QStringLiteral("Title_ConfSenha")),
        m_form.msgPadrao.Msg(QStringLiteral("Comprador")), &m_form);
    if (!confirmed) {
        m_fieldChecks->refocus(medCdComprador);
        boSenhaConfirmada = false;
        throw host::EAbort();
    }
    boSenhaConfirmada = true;
}

void NewQuotationPage::vd_DataColeta(bool mandatory)
{
    m_fieldChecks->checkNotAfterToday(depColeta, mandatory, QStringLiteral("Dt_N_Inf"),
                                 QStringLiteral("Dt_Invalida"));
}

void NewQuotationPage::vd_Validade()
{
    m_fieldChecks->checkPeriod(grbValidade->depDtInicial, grbValidade->depDtFinal,
                          {QStringLiteral("DtIni_N_Inf"), QStringLiteral("DtFin_N_Inf"),
                           QStringLiteral("DtIniFin_Inv")});
}

void NewQuotationPage::vd_Produto(host::TMaskEdit* code, QLineEdit* name, bool mandatoryOrder)
{
    if (!code->IsEmpty()) {
        QString treeCode = code->Text();
        if (!host::ValidEx(treeCode, products()))
            m_fieldChecks->fail(code, QStringLiteral("Prod_N_Cad"));
        const QVariantList product =
            host::Dados_Produto(*host::Halvore::instance().database(), treeCode);
        host::Query& check = query(m_productCheck, QStringLiteral("qryVerProduto"));
        check.SetParam(QStringLiteral("P_CDPRODUTO"),
                       product.size() > 2 ? product.at(2).toString() : QString());
        check.Open();
        if (check.IsEmpty())
            m_fieldChecks->fail(code, QStringLiteral("Prod_N_Cad"));
        name->setText(check.FieldByName(QStringLiteral("NMPRODUTO")).AsString());
    }
    if (!mandatoryOrder || medCdProdIni->IsEmpty() || medCdProdFin->IsEmpty())
        return;
    if (host::bareTreeCode(medCdProdIni->Text()) > host::bareTreeCode(medCdProdFin->Text()))
        m_fieldChecks->fail(code, QStringLiteral("ProdIniFin_Inv"));
}

void NewQuotationPage::Validacao()
{
    enum Step { Buyer, Date, Validity, Initial, Final };
    const std::array<std::function<void()>, 5> run = {
        [this] { vd_Comprador(true); },
        [this] { vd_DataColeta(true); },
        [this] { vd_Validade(); },
        [this] { vd_Produto(medCdProdIni, edtNmProdIni, true); },
        [this] { vd_Produto(medCdProdFin, edtNmProdFin, true); },
    };
    // The field that has the focus is checked first.
    const QWidget* focused = QApplication::focusWidget();
    std::array<Step, 5> order = {Buyer, Date, Validity, Initial, Final};
    if (focused == depColeta)
        order = {Date, Buyer, Validity, Initial, Final};
    else if (focused && grbValidade->isAncestorOf(focused))
        order = {Validity, Buyer, Date, Initial, Final};
    else if (focused == medCdProdIni)
        order = {Initial, Buyer, Date, Validity, Final};
    else if (focused == medCdProdFin)
        order = {Final, Buyer, Date, Validity, Initial};
    for (Step step : order)
        run[step]();

    // A list chosen for regions, suppliers or brands needs at least one code.
    for (auto [group, key] : {std::pair{grbRegiao, "Reg_N_Inf"}, std::pair{grbForn, "For_N_Inf"},
                              std::pair{grbMarca, "Marc_N_Inf"}})
        if (group->listChosen() && group->list().isEmpty())
            m_fieldChecks->fail(group->lista, QString::fromLatin1(key));
}

} // namespace module
