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
// The worksheet's items and detail lines: GetStringList.
void addWorksheetMethods(rpc::MethodRegistry& registry);
// The checks around price entry and saving: ValidaDados, GetVerPrZero, GetRegAtend.
void addItemCheckMethods(rpc::MethodRegistry& registry);

} // namespace appserver::modules
