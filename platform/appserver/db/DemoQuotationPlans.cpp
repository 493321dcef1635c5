// The demo quotations: two past, two current and two upcoming, one of each collection
// type, offered and not offered to the price-list assembly.

#include "DemoData.h"

namespace appserver::db::demo {
namespace {

// number, buyer, collection day, first week, weeks, collection type, price list, regions,
// suppliers, products, brands per product, unpriced share, observation share,
// payment terms and taxes, quantities to buy
constexpr QuotationPlan kPlans[] = {
    // Closed two weeks ago, every price in, negotiated terms and taxes. Its oils and sugars
    // were also quoted by an alternative supplier, so the current worksheet shows both
    // lowest prices in its history.
    {"0000000001", "ANA.CARVALHO", -21, -2, 2, "E", "S", "001 002 003", "1 2 3 4 6 19 30",
     "0101001 0101003 0101005 0102001 0102002 0103001", 2, 0.0, 0.03, true, false},
    // Cleaning and drinks, valid last and this week, a few prices missing.
    {"0000000002", "CARLOS.NUNES", -14, -1, 2, "W", "S", "001 002 004", "8 9 10 11 12 31",
     "0201001 0201002 0201004 0202001 0202003 0401001 0401002 0401004", 2, 0.08, 0.03, true, false},
    // The large grocery worksheet of the current fortnight.
    {"0000000003", "ANA.CARVALHO", -7, 0, 2, "L", "N", "001 002 003 004 006",
     "1 2 3 4 5 6 7 16 17 19 20 29 32",
     "0101001 0101002 0101003 0101004 0101005 0102001 0102002 0102003 0103001 0103002 "
     "0103003 0104001 0104002 0104003 0501003",
     2, 0.15, 0.05, false, true},
    // Produce of the current week, collection type not set.
    {"0000000004", "DANIELA.LIMA", -7, 0, 1, nullptr, "S", "001 002 004", "13 14 15 21 22 23 25 26",
     "0301001 0301002 0301003 0301004 0302001 0302002 0302003", 2, 0.12, 0.08, false, true},
    // Just created for the next fortnight: most prices still to come.
    {"0000000005", "CARLOS.NUNES", 0, 1, 2, "G", "S", "001 005", "8 9 11 12 17",
     "0201001 0201002 0202001 0401001 0401002 0401003", 1, 0.7, 0.0, false, false},
    // A quotation of a single item.
    {"0000000006", "DANIELA.LIMA", 0, 1, 1, "W", "N", "002", "13", "0301002", 1, 0.0, 0.0, false,
     false},
};

constexpr const char* kObservations[] = {
    "Preço válido para pagamento em 28 dias.",
    "Entrega somente às terças e quintas-feiras.",
    "Produto sujeito à disponibilidade de estoque.",
    "Pedido mínimo de 50 volumes por entrega.",
    "Preço com frete incluso até o centro de distribuição.",
    "Embalagem nova a partir do próximo mês; mesmo código de barras.",
};

} // namespace

std::span<const QuotationPlan> quotationPlans()
{
    return kPlans;
}
std::span<const char* const> itemObservations()
{
    return kObservations;
}

} // namespace appserver::db::demo
