#pragma once

// Columns of the four tables behind the two assignment pages of the worksheet screen:
// the product/supplier page (region/supplier pairs above, their items below) and the
// supplier/product page (product/brand pairs above, their items below). The server sends
// these definitions with the rows, so the client's tables get the titles, widths and
// visibility the pages show.

#include "host/core/FieldDef.h"

namespace appserver::modules {

// cdsRegForn: CDREGIAO (hidden), NMREGIAO "Região", CDFORNECED (hidden),
// NMFANTFORN "Fornecedor", NRCOLEPRECO (the quotation the list was loaded for).
host::FieldDefs regionSupplierPairFields();

// cdsProdForn: the items of a quotation as the product/supplier page edits them.
host::FieldDefs productSupplierItemFields();

// cdsProdMarca: CDPRODUTO (hidden), CDARVPROD "Produto", NMPRODUTO "Nome do Produto",
// CDMARCA "Marca", NMMARCA "Nome da Marca".
host::FieldDefs productBrandPairFields();

// cdsFornProd: the items of a quotation as the supplier/product page edits them.
host::FieldDefs supplierProductItemFields();

} // namespace appserver::modules
