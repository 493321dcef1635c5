#include "ItemChecks.h"

#include "TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"

#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

namespace module {

std::unique_ptr<host::Query> openFormQuery(const QString& name, const QVariantMap& params)
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    auto query = std::make_unique<host::Query>(*db, name);
    query->LoadSQL(QStringLiteral("SUP01700"));
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        query->SetParam(it.key(), it.value());
    query->Open();
    return query;
}

void vd_OperSistema(TfrmPlanCotaPrec& form)
{
    const QString& operatorCode = host::Halvore::instance().Operador();
    if (openFormQuery(QStringLiteral("qryOperComprador"),
                      {{QStringLiteral("P_CDOPERADOR"), operatorCode}})
            ->IsEmpty())
        host::MensErro(form.msgPadrao.Msg(QStringLiteral("Oper_NComp")));
    if (form.purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S") &&
        !form.isCurrentBuyer())
        host::MensErro(form.msgPadrao.Msg(QStringLiteral("Cot_NComp")));
}

void vd_ProdComprador(TfrmPlanCotaPrec& form)
{
    const QString treeCode = Cli_Sup01700::stCdArvProd;
    auto negotiatedBy = [&](const QString& buyer) {
        return !openFormQuery(QStringLiteral("qryVerProdComp"),
                              {{QStringLiteral("P_CDOPERADOR"), buyer},
                               {QStringLiteral("P_CDARVPROD"), treeCode}})
                    ->IsEmpty();
    };
    if (form.purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S")) {
        if (!negotiatedBy(form.quotationBuyer()))
            host::MensErro(form.msgPadrao.Msg(QStringLiteral("ProdNComp")));
        return;
    }
    // One buyer per product: the operator must be the one who negotiates it.
    if (negotiatedBy(host::Halvore::instance().Operador()))
        return;
    const auto others = openFormQuery(QStringLiteral("qryProdNegComp"),
                                      {{QStringLiteral("P_CDPRODUTO"), treeCode},
                                       {QStringLiteral("P_CDOPERADOR"), QString()},
                                       {QStringLiteral("P_TOPERADOR"), QStringLiteral("T")}});
    const bool another = others->FieldByName(QStringLiteral("CTPRODOPER")).AsInteger() > 0;
    host::MensErro(form.msgPadrao.Msg(another ? QStringLiteral("Oper_N_Autoriz")
                                              : QStringLiteral("ProdNComp")));
}

const char* supplierQualificationProblem(const TfrmPlanCotaPrec& form, const QString& supplier)
{
    const auto qualified = openFormQuery(
        QStringLiteral("qryQualifForn"),
        {{QStringLiteral("P_CDFORNECED"), supplier},
         {QStringLiteral("P_DTCOLEPREC"), form.currentDate().toString(Qt::ISODate)},
         {QStringLiteral("P_IDULTIDTVALQ"), form.purchasingParameter(QStringLiteral("IDULTIDTVALQ"))}});
    if (qualified->IsEmpty())
        return "Qualif_Forn";
    if (qualified->FieldByName(QStringLiteral("IDSITUCADA")).AsString() == QLatin1String("I"))
        return "Forn_Inativ";
    return "";
}

void vd_Fornecedor(TfrmPlanCotaPrec& form)
{
    if (const char* problem = supplierQualificationProblem(form, Cli_Sup01700::stCdForneced); *problem)
        host::MensErro(form.msgPadrao.Msg(QString::fromLatin1(problem)));
}

} // namespace module
