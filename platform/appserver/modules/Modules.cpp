#include "Modules.h"

namespace appserver::modules {

rpc::MethodRegistry allMethods()
{
    rpc::MethodRegistry registry;
    addRegisterMethods(registry);
    addAssignmentMethods(registry);
    addSaveMethods(registry);
    addWorksheetMethods(registry);
    addItemCheckMethods(registry);
    addHistoryMethods(registry);
    addToolMethods(registry);
    addItemRuleMethods(registry);
    addPaymentTermMethods(registry);
    addInclusionMethods(registry);
    addDuplicationMethods(registry);
    addItemStoreMethods(registry);
    addMaintenanceMethods(registry);
    return registry;
}

} // namespace appserver::modules
