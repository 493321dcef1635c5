// Loads of the two assignment pages of the worksheet screen. Each method takes the
// quotation's branch and number and answers one data packet: the pairs of the upper list
// or all the items of the quotation for the lower list (the page filters them by the
// selected pair). A quotation without items, or one that does not exist, answers an
// empty packet that still carries every column.

#include "AssignmentFields.h"
#include "Modules.h"
#include "Rights.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {
namespace {

// Region/supplier pairs that have at least one item in the quotation.
const QString kRegionSupplierPairs = QStringLiteral(
    "SELECT DISTINCT ITEMCOLE.CDREGIAO, REGIAO.NMREGIAO, ITEMCOLE.CDFORNECED, "
    "FORNECEDOR.NMFANTFORN, ITEMCOLE.NRCOLEPRECO "
    "FROM ITEMCOLE "
    "LEFT JOIN REGIAO ON REGIAO.CDREGIAO = ITEMCOLE.CDREGIAO "
    "LEFT JOIN FORNECEDOR ON FORNECEDOR.CDFORNECED = ITEMCOLE.CDFORNECED "
    "WHERE ITEMCOLE.CDFILIAL = :P_CDFILIAL AND ITEMCOLE.NRCOLEPRECO = :P_NRCOLEPRECO "
    "ORDER BY ITEMCOLE.CDREGIAO, FORNECEDOR.NMFANTFORN, ITEMCOLE.CDFORNECED");

// Every item of the quotation, by region, supplier, product tree code and brand.
const QString kProductSupplierItems = QStringLiteral(
    "SELECT ITEMCOLE.CDFILIAL, ITEMCOLE.NRCOLEPRECO, ITEMCOLE.CDREGIAO, ITEMCOLE.CDFORNECED, "
    "ITEMCOLE.CDPRODUTO, PRODUTO.NMPRODUTO, ITEMCOLE.CDMARCA, MARCA.NMMARCA, "
    "ITEMCOLE.VRPRECUNIITM, ITEMCOLE.VRPRECECOITM, ITEMCOLE.QTACMPITMCOL, "
    "ITEMCOLE.VRPERDESITM, ITEMCOLE.DTINIVALITM, ITEMCOLE.DTFINVALITM, "
    "ITEMCOLE.IDITMCOTPREC, ITEMCOLE.IDTIPFREITM, PRODUTO.CDARVPROD "
    "FROM ITEMCOLE "
    "LEFT JOIN PRODUTO ON PRODUTO.CDPRODUTO = ITEMCOLE.CDPRODUTO "
    "LEFT JOIN MARCA ON MARCA.CDMARCA = ITEMCOLE.CDMARCA "
    "WHERE ITEMCOLE.CDFILIAL = :P_CDFILIAL AND ITEMCOLE.NRCOLEPRECO = :P_NRCOLEPRECO "
    "ORDER BY ITEMCOLE.CDREGIAO, ITEMCOLE.CDFORNECED, PRODUTO.CDARVPROD, ITEMCOLE.CDPRODUTO, "
    "ITEMCOLE.CDMARCA");

// Product/brand pairs that have at least one item in the quotation.
const QString kProductBrandPairs = QStringLiteral(
    "SELECT DISTINCT ITEMCOLE.CDPRODUTO, PRODUTO.CDARVPROD, PRODUTO.NMPRODUTO, "
    "ITEMCOLE.CDMARCA, MARCA.NMMARCA "
    "FROM ITEMCOLE "
    "LEFT JOIN PRODUTO ON PRODUTO.CDPRODUTO = ITEMCOLE.CDPRODUTO "
    "LEFT JOIN MARCA ON MARCA.CDMARCA = ITEMCOLE.CDMARCA "
    "WHERE ITEMCOLE.CDFILIAL = :P_CDFILIAL AND ITEMCOLE.NRCOLEPRECO = :P_NRCOLEPRECO "
    "ORDER BY PRODUTO.CDARVPROD, ITEMCOLE.CDPRODUTO, ITEMCOLE.CDMARCA");

// Every item of the quotation, by product, brand, region and supplier trade name.
const QString kSupplierProductItems = QStringLiteral(
    "SELECT ITEMCOLE.CDFILIAL, ITEMCOLE.NRCOLEPRECO, ITEMCOLE.CDPRODUTO, ITEMCOLE.CDMARCA, "
    "ITEMCOLE.CDREGIAO, REGIAO.NMREGIAO, ITEMCOLE.CDFORNECED, FORNECEDOR.IDTPIJURFORN, "
    "FORNECEDOR.NRINSJURFORN, FORNECEDOR.NMFANTFORN, ITEMCOLE.DTINIVALITM, "
    "ITEMCOLE.DTFINVALITM, ITEMCOLE.VRPRECUNIITM, ITEMCOLE.VRPRECECOITM, "
    "ITEMCOLE.QTACMPITMCOL, ITEMCOLE.VRPERDESITM, ITEMCOLE.IDITMCOTPREC, "
    "ITEMCOLE.IDTIPFREITM "
    "FROM ITEMCOLE "
    "LEFT JOIN REGIAO ON REGIAO.CDREGIAO = ITEMCOLE.CDREGIAO "
    "LEFT JOIN FORNECEDOR ON FORNECEDOR.CDFORNECED = ITEMCOLE.CDFORNECED "
    "WHERE ITEMCOLE.CDFILIAL = :P_CDFILIAL AND ITEMCOLE.NRCOLEPRECO = :P_NRCOLEPRECO "
    "ORDER BY ITEMCOLE.CDPRODUTO, ITEMCOLE.CDMARCA, ITEMCOLE.CDREGIAO, "
    "FORNECEDOR.NMFANTFORN, ITEMCOLE.CDFORNECED");

// A load of one quotation: (branch, number) -> packet of the text with the columns given.
rpc::Method quotationLoad(const QString& name, const QString& sql, host::FieldDefs (*fields)())
{
    rpc::Method method;
    method.module = kPlanCotaPrec;
    method.name = name;
    method.args = {rpc::Arg::Text, rpc::Arg::Text};
    method.handler = [sql, fields](rpc::CallContext& call) -> QVariant {
        QVariantMap params;
        params.insert(QStringLiteral("P_CDFILIAL"), centreArg(call, 0));
        params.insert(QStringLiteral("P_NRCOLEPRECO"),
                      host::Ajusta(call.text(1), module::Width::QuotationNumber));
        return QVariant::fromValue(host::Query::toPacket(call.db(), sql, params, fields()));
    };
    return method;
}

} // namespace

void addAssignmentMethods(rpc::MethodRegistry& registry)
{
    registry.add(quotationLoad(QStringLiteral("GetRegForn"), kRegionSupplierPairs,
                               &regionSupplierPairFields));
    registry.add(quotationLoad(QStringLiteral("GetProdForn"), kProductSupplierItems,
                               &productSupplierItemFields));
    registry.add(
        quotationLoad(QStringLiteral("GetProdMarca"), kProductBrandPairs, &productBrandPairFields));
    registry.add(quotationLoad(QStringLiteral("GetFornProd"), kSupplierProductItems,
                               &supplierProductItemFields));
}

} // namespace appserver::modules
