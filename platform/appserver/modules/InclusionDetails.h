#pragma once

// What a buyer reads when a new quotation would hold no item: how many regions, suppliers,
// products and brands were left after each stage of the choice, and what each check took
// away, one line per stage.

#include <QString>

namespace appserver::modules {

struct FunnelCounts;
struct InclusionCriteria;

QString inclusionDetails(const FunnelCounts& counts, const InclusionCriteria& criteria);

} // namespace appserver::modules
