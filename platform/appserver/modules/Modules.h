#pragma once

#include "appserver/rpc/Method.h"

namespace appserver::modules {

inline const QString kPlanCotaPrec = QStringLiteral("Sup.rdmPlanCotaPrec");
inline const QString kSuprimentos = QStringLiteral("Sup.rdmSuprimentos");

// Every method of the two remote modules.
rpc::MethodRegistry allMethods();

// The quotation register: GetBanco, GetDadosFiltro, GetColetaPr, GetPesqForn,
// DelColetaPr, GetServRegiao (Sup.rdmPlanCotaPrec) and GetParaSupri (Sup.rdmSuprimentos).
void addRegisterMethods(rpc::MethodRegistry& registry);
// The assignment pages' loads: GetRegForn, GetProdForn, GetProdMarca, GetFornProd.
void addAssignmentMethods(rpc::MethodRegistry& registry);
// Saving: GravaPlanCota.
void addSaveMethods(rpc::MethodRegistry& registry);
// The worksheet's items and detail lines: GetStringList, GetVersaoItens.
void addWorksheetMethods(rpc::MethodRegistry& registry);
// The checks around price entry and saving: ValidaDados, GetVerPrZero, GetRegAtend.
void addItemCheckMethods(rpc::MethodRegistry& registry);
// The price history: GetHistorico, CargMelhorsPrs.
void addHistoryMethods(rpc::MethodRegistry& registry);
// The worksheet's tools over all items: CargAcomprar, DeleteItemCole.
void addToolMethods(rpc::MethodRegistry& registry);
// One item's register rules: Vd_Marca, Vd_ProdForn, Vd_FuncaoFili, Vd_RefoReg.
void addItemRuleMethods(rpc::MethodRegistry& registry);
// An item's payment terms before it is negotiated: InsertFormPgtoNegSim.
void addPaymentTermMethods(rpc::MethodRegistry& registry);
// A new quotation and its items: IncluirCotacao, GetDetalhes.
void addInclusionMethods(rpc::MethodRegistry& registry);
// Quotation duplication: GetDadDuplica, DuplicaCotacao.
void addDuplicationMethods(rpc::MethodRegistry& registry);
// Storing the assignment pages' changes: GravaItemCole, CargRegiao.
void addItemStoreMethods(rpc::MethodRegistry& registry);
// The worksheet's maintenance dialogs: GetFornAtend, GetInsProd, IncFornecedor.
void addMaintenanceMethods(rpc::MethodRegistry& registry);

} // namespace appserver::modules
