// Product tree, brands and who buys what in the demo.

#include "DemoData.h"

namespace appserver::db::demo {
namespace {

using V = Validity;

// tree, name, unit, active, stock product, typical price, brands
constexpr ProductRow kProducts[] = {
    {"01", "MERCEARIA", nullptr, "S", nullptr, 0, nullptr},
    {"0101", "ARROZ E FEIJÃO", nullptr, "S", nullptr, 0, nullptr},
    {"0101001", "ARROZ BRANCO TIPO 1 5KG", "PCT", "S", nullptr, 27.90, "00002 00003 00015"},
    {"0101002", "ARROZ PARBOILIZADO TIPO 1 5KG", "PCT", "S", nullptr, 29.50, "00002 00015"},
    {"0101003", "FEIJÃO CARIOCA TIPO 1 1KG", "PCT", nullptr, nullptr, 8.49, "00002 00003 00015"},
    {"0101004", "FEIJÃO PRETO TIPO 1 1KG", "PCT", "S", nullptr, 9.20, "00003 00015"},
    {"0101005", "ARROZ BRANCO TIPO 1 FARDO 6X5KG", "FD", "S", "0101001", 160.00, "00002 00003"},
    {"0102", "ÓLEOS E AÇÚCARES", nullptr, "S", nullptr, 0, nullptr},
    {"0102001", "ÓLEO DE SOJA REFINADO 900ML", "UN", "S", nullptr, 7.35, "00012 00006 00002"},
    {"0102002", "AÇÚCAR CRISTAL 5KG", "PCT", "S", nullptr, 21.90, "00012 00002"},
    {"0102003", "AÇÚCAR REFINADO 1KG", "PCT", "S", nullptr, 5.10, "00012 00006"},
    {"0102004", "AZEITE DE OLIVA EXTRA VIRGEM 500ML", "UN", "S", nullptr, 32.90, "00014 00016"},
    {"0103", "CAFÉ E MATINAIS", nullptr, "S", nullptr, 0, nullptr},
    {"0103001", "CAFÉ TORRADO E MOÍDO 500G", "PCT", "S", nullptr, 18.90, "00005 00016 00002"},
    {"0103002", "ACHOCOLATADO EM PÓ 400G", "UN", "S", nullptr, 9.80, "00005 00007"},
    {"0103003", "LEITE EM PÓ INTEGRAL 400G", "UN", "S", nullptr, 21.40, "00007 00013"},
    {"0103004", "BISCOITO CREAM CRACKER 400G", "PCT", "N", nullptr, 6.30, "00007"},
    {"0104", "MASSAS E MOLHOS", nullptr, "S", nullptr, 0, nullptr},
    {"0104001", "MACARRÃO ESPAGUETE 500G", "PCT", "S", nullptr, 4.60, "00007 00002"},
    {"0104002", "MOLHO DE TOMATE TRADICIONAL 340G", "UN", "S", nullptr, 3.20, "00007 00013"},
    {"0104003", "EXTRATO DE TOMATE 190G", "UN", nullptr, nullptr, 2.90, "00013"},
    {"02", "LIMPEZA", nullptr, "S", nullptr, 0, nullptr},
    {"0201", "LAVANDERIA", nullptr, "S", nullptr, 0, nullptr},
    {"0201001", "SABÃO EM PÓ 1KG", "CX", "S", nullptr, 13.50, "00008 00009 00017"},
    {"0201002", "AMACIANTE DE ROUPAS 2L", "UN", "S", nullptr, 12.90, "00009 00017"},
    {"0201003", "ALVEJANTE SEM CLORO 1L", "UN", "S", nullptr, 7.80, "00008"},
    {"0201004", "SABÃO EM PÓ 1KG CAIXA 20UN", "CX", "S", "0201001", 255.00, "00008 00009"},
    {"0202", "COZINHA E CASA", nullptr, "S", nullptr, 0, nullptr},
    {"0202001", "DETERGENTE LÍQUIDO NEUTRO 500ML", "UN", "S", nullptr, 2.35, "00008 00009"},
    {"0202002", "ESPONJA DUPLA FACE", "UN", "S", nullptr, 1.60, "00008 00017"},
    {"0202003", "ÁGUA SANITÁRIA 2L", "UN", "S", nullptr, 6.40, "00009 00008"},
    {"0202004", "DESINFETANTE PINHO 2L", "UN", "S", nullptr, 9.90, "00017 00009"},
    {"03", "HORTIFRÚTI", nullptr, "S", nullptr, 0, nullptr},
    {"0301", "FRUTAS", nullptr, "S", nullptr, 0, nullptr},
    {"0301001", "BANANA PRATA", "KG", "S", nullptr, 5.90, "00001 00013"},
    {"0301002", "MAÇÃ GALA", "KG", "S", nullptr, 9.50, "00001 00013"},
    {"0301003", "LARANJA PERA", "KG", "S", nullptr, 3.80, "00001"},
    {"0301004", "MAMÃO FORMOSA", "KG", "S", nullptr, 6.90, "00001 00013"},
    {"0302", "LEGUMES E VERDURAS", nullptr, "S", nullptr, 0, nullptr},
    {"0302001", "BATATA INGLESA", "KG", "S", nullptr, 4.90, "00001 00013"},
    {"0302002", "TOMATE ITALIANO", "KG", "S", nullptr, 7.40, "00001 00013"},
    {"0302003", "CEBOLA NACIONAL", "KG", "S", nullptr, 4.30, "00001"},
    {"0302004", "CENOURA", "KG", "N", nullptr, 4.10, "00001"},
    {"04", "BEBIDAS", nullptr, "S", nullptr, 0, nullptr},
    {"0401", "BEBIDAS NÃO ALCOÓLICAS", nullptr, "S", nullptr, 0, nullptr},
    {"0401001", "ÁGUA MINERAL SEM GÁS 1,5L", "UN", "S", nullptr, 2.30, "00011 00010"},
    {"0401002", "REFRIGERANTE DE COLA 2L", "UN", "S", nullptr, 7.90, "00010 00012"},
    {"0401003", "SUCO DE LARANJA INTEGRAL 1L", "UN", "S", nullptr, 11.50, "00011 00013"},
    {"0401004", "ÁGUA MINERAL SEM GÁS 1,5L FARDO 6UN", "FD", "S", "0401001", 12.90, "00011 00010"},
    {"05", "HIGIENE PESSOAL", nullptr, "S", nullptr, 0, nullptr},
    {"0501", "HIGIENE", nullptr, "S", nullptr, 0, nullptr},
    {"0501001", "SABONETE EM BARRA 90G", "UN", "S", nullptr, 2.60, "00018 00017"},
    {"0501002", "CREME DENTAL 90G", "UN", "S", nullptr, 4.90, "00018"},
    {"0501003", "PAPEL HIGIÊNICO FOLHA DUPLA 12 ROLOS", "PCT", "S", nullptr, 21.90, "00018 00017"},
};

// 00001 is the default brand of new items; 00004 is registered for no product.
constexpr BrandRow kBrands[] = {
    {"00001", "DIVERSAS"},       {"00002", "SABOR DO CAMPO"}, {"00003", "GRÃO DE OURO"},
    {"00004", "VALE VERDE"},     {"00005", "BOM DIA"},        {"00006", "TERRA BOA"},
    {"00007", "CASA NOVA"},      {"00008", "LIMPA FÁCIL"},    {"00009", "ESPUMA BRANCA"},
    {"00010", "CRISTALINA"},     {"00011", "FONTE AZUL"},     {"00012", "SOL NASCENTE"},
    {"00013", "FAZENDA FELIZ"},  {"00014", "OLIVAL DO SUL"},  {"00015", "CEREALISTA SUL"},
    {"00016", "AROMA DA SERRA"}, {"00017", "PERFUMADA"},      {"00018", "BEM ESTAR"},
};

// product, brand, approved, authorised, approval validity
constexpr BrandQualificationRow kBrandQualifications[] = {
    {"0101001", "00002", "S", "N", V::Valid},  // approved
    {"0101001", "00003", "S", "N", V::Lapsed}, // approval lapsed
    {"0101003", "00015", "N", "N", V::None},   // refused
    {"0103001", "00005", "N", "S", V::None},   // authorised
    {"0201001", "00008", "S", "N", V::Valid},  // approved
    {"0102001", "00006", "S", "N", V::Valid},  // approved
    {"0401002", "00012", "N", "N", V::None},   // refused
};

// Buyers negotiate whole groups, and single products besides; the pasta is negotiated by
// two buyers, and personal hygiene (but the toilet paper) by nobody.
constexpr AssignmentRow kAssignments[] = {
    {"ANA.CARVALHO", "01"}, {"ANA.CARVALHO", "0501003"}, {"CARLOS.NUNES", "02"},
    {"CARLOS.NUNES", "04"}, {"DANIELA.LIMA", "03"},      {"DANIELA.LIMA", "0104001"},
};

// Rio de Janeiro buys its produce locally, the centre does not buy olive oil and Belo
// Horizonte does not buy juice.
constexpr BranchProductRow kBranchProducts[] = {
    {"0003", "03", "N"},
    {"0001", "0102004", "N"},
    {"0004", "0401003", "N"},
};

// branch, request, product, region, day offset, quantity, note, status
constexpr RequestRow kRequests[] = {
    {"0001", "0000000090", "0101001", "001", -30, 110, nullptr, "F"},
    {"0002", "0000000091", "0201001", "002", -28, 50, nullptr, "F"},
    {"0001", "0000000101", "0101001", "001", -10, 120, "Reposição mensal das lojas da capital.",
     "A"},
    {"0001", "0000000101", "0101003", "001", -10, 300, nullptr, "A"},
    {"0001", "0000000101", "0102001", "001", -10, 480, nullptr, "A"},
    {"0001", "0000000101", "0103001", "001", -10, 200,
     "Urgente: estoque baixo no centro de distribuição.", "A"},
    {"0002", "0000000102", "0101001", "002", -9, 80, nullptr, "A"},
    {"0002", "0000000102", "0102002", "002", -9, 60, nullptr, "A"},
    {"0002", "0000000102", "0104001", "002", -9, 240, "Promoção de massas na segunda quinzena.",
     "A"},
    {"0003", "0000000103", "0101003", "003", -8, 150, nullptr, "A"},
    {"0003", "0000000103", "0103001", "003", -8, 90, nullptr, "A"},
    {"0004", "0000000104", "0101001", "004", -8, 100, nullptr, "A"},
    {"0004", "0000000104", "0102001", "004", -8, 200, nullptr, "A"},
    {"0005", "0000000105", "0101002", "006", -6, 70, "Entregar no depósito de Recife.", "A"},
    {"0001", "0000000106", "0301001", "001", -5, 400,
     "Banana climatizada, para consumo em dois dias.", "A"},
    {"0001", "0000000106", "0302002", "001", -5, 250, nullptr, "A"},
    {"0002", "0000000107", "0301002", "002", -5, 180, nullptr, "A"},
    {"0002", "0000000107", "0302001", "002", -5, 320, nullptr, "A"},
    {"0004", "0000000108", "0301003", "004", -4, 260, nullptr, "A"},
    // Requested after the next fortnight's quotation was created: loading the quantities
    // to buy fills them in.
    {"0001", "0000000109", "0201001", "001", -2, 90, nullptr, "A"},
    {"0002", "0000000110", "0401001", "005", -1, 600, "Estoque para o feriado prolongado.", "A"},
};

} // namespace

std::span<const ProductRow> products()
{
    return kProducts;
}
std::span<const BrandRow> brands()
{
    return kBrands;
}
std::span<const BrandQualificationRow> brandQualifications()
{
    return kBrandQualifications;
}
std::span<const AssignmentRow> assignments()
{
    return kAssignments;
}
std::span<const BranchProductRow> branchProducts()
{
    return kBranchProducts;
}
std::span<const RequestRow> requests()
{
    return kRequests;
}

} // namespace appserver::db::demo
