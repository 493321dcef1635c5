// Suppliers of the demo, the regions they do not serve and their product qualifications.

#include "DemoData.h"

namespace appserver::db::demo {
namespace {

using V = Validity;

// number, type, document, legal name, trade name, kind, status, qualification, validity,
// automatic, payment form, payment type, instalments, fixed day, uses fixed day,
// discount type, discount %, freight, supplied tree codes
constexpr SupplierRow kSuppliers[] = {
    {1, "J", "482915370001", "Atacadão Paulista de Alimentos Ltda", "Atacadão Paulista", "N", "A",
     "01", V::Valid, "N", "001", "P", 3, 0, "N", "C", 2.0, "C", "01 02 04 05"},
    {2, "J", "617204580001", "Distribuidora Bandeirantes de Cereais", "Bandeirantes Cereais", "N",
     "A", "01", V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "F", "01"},
    {3, "J", "305981270001", "Comercial Vale do Paraíba S.A.", "Vale do Paraíba", "N", "A", nullptr,
     V::None, "N", "002", "P", 1, 15, "S", "N", 0.0, "C", "01 04"},
    {4, "J", "774310920001", "Cerealista Santa Rita Eireli", "Cerealista Santa Rita", "N", "A",
     "01", V::Valid, "N", "001", "V", 1, 0, "N", "C", 3.5, "F", "0101 0102"},
    {5, "J", "259863140001", "Mercantil Rio Grande Alimentos Ltda", "Mercantil Rio Grande", "N",
     "A", "03", V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "01"},
    {6, "J", "840127650001", "Torrefação Serra Azul Ltda", "Café Serra Azul", "N", "A", "01",
     V::Valid, "N", "002", "P", 1, 10, "S", "N", 0.0, "C", "0103"},
    {7, "J", "193746820001", "Moinho Tietê Indústria de Massas Ltda", "Moinho Tietê", "N", "A",
     "01", V::Valid, "N", "001", "P", 2, 0, "N", "C", 1.5, "C", "0104"},
    {8, "J", "566071930001", "Química Brilho Produtos de Limpeza Ltda", "Química Brilho", "N", "A",
     "01", V::Valid, "N", "001", "P", 3, 0, "N", "N", 0.0, "C", "02"},
    {9, "J", "428630510001", "Higiclean Distribuidora Ltda", "Higiclean", "N", "A", "01", V::Valid,
     "N", "001", "P", 2, 0, "N", "C", 2.5, "F", "02 05"},
    {10, "J", "915274360001", "Limpa Tudo Comércio de Saneantes Ltda", "Limpa Tudo", "A", "A",
     nullptr, V::None, "N", "003", "V", 1, 0, "N", "N", 0.0, "F", "0202"},
    {11, "J", "337859040001", "Bebidas Fonte Clara S.A.", "Fonte Clara", "N", "A", "01", V::Valid,
     "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "04"},
    {12, "J", "702418690001", "Distribuidora de Bebidas Litoral Ltda", "Bebidas Litoral", "N", "A",
     "01", V::Valid, "N", "002", "P", 1, 20, "S", "C", 1.0, "C", "04"},
    {13, "J", "651932870001", "Ceasa Hortifrúti Campinas Ltda", "Hortifrúti Campinas", "N", "A",
     "01", V::Valid, "N", "002", "V", 1, 0, "N", "N", 0.0, "F", "03"},
    {14, "J", "248576130001", "Frutas do Vale Comércio Ltda", "Frutas do Vale", "N", "A", "03",
     V::Valid, "N", "001", "P", 1, 0, "N", "N", 0.0, "F", "0301"},
    {15, "J", "580364290001", "Cooperativa Agrícola de Holambra", "Coop. Holambra", "N", "A", "01",
     V::Valid, "N", "002", "P", 2, 0, "N", "C", 2.0, "C", "03"},
    {16, "J", "136749520001", "Casa do Norte Atacado Ltda", "Casa do Norte", "N", "A", "01",
     V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "F", "01"},
    {17, "J", "894215670001", "Supridora Mineira de Alimentos Ltda", "Supridora Mineira", "N", "A",
     "01", V::Valid, "N", "001", "P", 3, 0, "N", "N", 0.0, "C", "01 04"},
    {18, "J", "471098350001", "Higiene Total Indústria e Comércio Ltda", "Higiene Total", "N", "A",
     "01", V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "05"},
    {19, "J", "362587140001", "Atlântico Importadora de Alimentos Ltda", "Atlântico Importadora",
     "A", "A", "01", V::Valid, "N", "002", "P", 1, 0, "N", "N", 0.0, "F", "0102"},
    {20, "J", "925730480001", "Laticínios Boa Vista Ltda", "Laticínios Boa Vista", "N", "A", "01",
     V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "0103"},
    {21, "F", "318745269", "José Carlos Pereira", "Sítio Santa Luzia", "N", "A", nullptr, V::None,
     "N", "002", "V", 1, 0, "N", "N", 0.0, "F", "0301 0302"},
    {22, "F", "452918736", "Maria Aparecida dos Santos", "Chácara Boa Esperança", "N", "A", nullptr,
     V::None, "N", "002", "V", 1, 0, "N", "N", 0.0, "F", "0302"},
    {23, "F", "273640158", "Antônio Ferreira Lima", "Fazenda Três Irmãos", "A", "A", nullptr,
     V::None, "N", "003", "V", 1, 0, "N", "N", 0.0, "F", "0301"},
    {24, "F", "506187392", "Sebastião Rodrigues Alves", "Sítio Recanto Verde", "N", "I", nullptr,
     V::None, "N", "002", "V", 1, 0, "N", "N", 0.0, "F", "03"},
    {25, "I", "110482736115", "João Batista Moreira", "Sítio São João", "N", "A", nullptr, V::None,
     "N", "002", "V", 1, 0, "N", "N", 0.0, "F", "0302"},
    {26, "O", "00004821", "Frutícola Los Andes S.A.", "Los Andes", "A", "A", "01", V::Valid, "N",
     "002", "P", 1, 0, "N", "N", 0.0, "F", "0301"},
    {27, "J", "683025910001", "Distribuidora Estrela Ltda", "Estrela Distribuidora", "N", "A", "01",
     V::Lapsed, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "01"},
    {28, "J", "157398260001", "Comercial Horizonte Ltda", "Horizonte Comercial", "N", "A", "02",
     V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "02"},
    {29, "J", "794261530001", "Nova Safra Alimentos Ltda", "Nova Safra", "N", "A", "02", V::Valid,
     "S", "001", "P", 2, 0, "N", "C", 1.0, "C", "01"},
    {30, "J", "226814790001", "Atacado Central Mineiro Ltda", "Central Mineiro", "N", "I", "01",
     V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "F", "01 02"},
    {31, "J", "409572680001", "Real Bebidas e Conveniência Ltda", "Real Bebidas", "A", "A", nullptr,
     V::None, "N", "003", "V", 1, 0, "N", "N", 0.0, "F", "04"},
    {32, "J", "871436050001", "Empório Nordeste Distribuição Ltda", "Empório Nordeste", "N", "A",
     "01", V::Valid, "N", "001", "P", 2, 0, "N", "N", 0.0, "C", "01 05"},
    {33, "J", "534690120001", "Mercearia Paulistana Atacado Ltda", "Mercearia Paulistana", "N", "A",
     "01", V::StartOfMonth, "N", "001", "P", 1, 0, "N", "N", 0.0, "C", "01"},
};

// Local growers serve their surroundings only; a few distributors skip distant regions.
// Two rows restrict a delivery period only and do not keep the supplier out.
constexpr RestrictionRow kRestrictions[] = {
    {5, "006", "002"},    {12, "004", "001"},   {13, "003", nullptr}, {13, "004", nullptr},
    {13, "005", nullptr}, {13, "006", nullptr}, {14, "006", nullptr}, {15, "006", nullptr},
    {16, "005", nullptr}, {17, "005", nullptr}, {17, "006", nullptr}, {21, "003", nullptr},
    {21, "004", nullptr}, {21, "005", nullptr}, {21, "006", nullptr}, {22, "003", nullptr},
    {22, "004", nullptr}, {22, "005", nullptr}, {22, "006", nullptr}, {23, "004", nullptr},
    {23, "005", nullptr}, {23, "006", nullptr}, {25, "003", nullptr}, {25, "004", nullptr},
    {25, "005", nullptr}, {25, "006", nullptr}, {32, "002", nullptr}, {32, "003", nullptr},
    {32, "004", nullptr}, {32, "005", nullptr},
};

// product, supplier, approved, authorised, approval validity
constexpr SupplierQualificationRow kSupplierQualifications[] = {
    {"0101001", 1, "S", "N", V::Valid},  // approved
    {"0102001", 2, "S", "N", V::Lapsed}, // approval lapsed
    {"0103001", 1, "N", "N", V::None},   // refused
    {"0201001", 9, "N", "S", V::None},   // authorised
    {"0401001", 12, "S", "N", V::Valid}, // approved
};

} // namespace

std::span<const SupplierRow> suppliers()
{
    return kSuppliers;
}
std::span<const RestrictionRow> restrictions()
{
    return kRestrictions;
}
std::span<const SupplierQualificationRow> supplierQualifications()
{
    return kSupplierQualifications;
}

} // namespace appserver::db::demo
