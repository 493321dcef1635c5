// Branches, operators, regions and parameters of the demo purchasing centre.

#include "DemoData.h"

namespace appserver::db::demo {
namespace {

// The São Paulo centre buys for three branches; Recife buys for itself.
constexpr BranchRow kBranches[] = {
    {"0001", "Central de Compras - São Paulo", nullptr},
    {"0002", "Filial Campinas", "0001"},
    {"0003", "Filial Rio de Janeiro", "0001"},
    {"0004", "Filial Belo Horizonte", "0001"},
    {"0005", "Filial Recife", nullptr},
};

// Three buyers and the purchasing manager who manages them.
constexpr OperatorRow kOperators[] = {
    {"ANA.CARVALHO", "Ana Paula Carvalho", "0001", true},
    {"CARLOS.NUNES", "Carlos Eduardo Nunes", "0001", true},
    {"DANIELA.LIMA", "Daniela Souza Lima", "0001", true},
    {"FERNANDA.LUZ", "Fernanda Luz Andrade", "0001", false},
};

constexpr ManagementRow kManagements[] = {
    {"FERNANDA.LUZ", "ANA.CARVALHO"},
    {"FERNANDA.LUZ", "CARLOS.NUNES"},
    {"FERNANDA.LUZ", "DANIELA.LIMA"},
};

constexpr RegionRow kRegions[] = {
    {"001", "Grande São Paulo", "0001"},
    {"002", "Interior de São Paulo", "0002"},
    {"003", "Rio de Janeiro", "0003"},
    {"004", "Minas Gerais", "0004"},
    {"005", "Sul", "0002"},
    {"006", "Nordeste", "0005"},
};

constexpr QualificationRow kQualifications[] = {
    {"01", "Homologado", "1"},
    {"02", "Em homologação", "2"},
    {"03", "Homologado com ressalvas", "1"},
};

// The centre works with the usual rules; Recife with the stricter ones, so that logging
// in there shows the other side of every flag.
constexpr ParametersRow kParameters[] = {
    {"0001", "N", "D", "N", "S", "N", "00001", "N"},
    {"0005", "S", "M", "S", "N", "S", "00001", "S"},
};

} // namespace

std::span<const BranchRow> branches()
{
    return kBranches;
}
std::span<const OperatorRow> operators()
{
    return kOperators;
}
std::span<const ManagementRow> managements()
{
    return kManagements;
}
std::span<const RegionRow> regions()
{
    return kRegions;
}
std::span<const QualificationRow> qualifications()
{
    return kQualifications;
}
std::span<const ParametersRow> parameters()
{
    return kParameters;
}
const char* generalParametersBranch()
{
    return "0001";
}
const char* generalParametersDosFlag()
{
    return "1";
}

} // namespace appserver::db::demo
