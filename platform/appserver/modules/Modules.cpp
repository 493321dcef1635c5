#include "Modules.h"

namespace appserver::modules {

rpc::MethodRegistry allMethods()
{
    rpc::MethodRegistry registry;
    addRegisterMethods(registry);
    addAssignmentMethods(registry);
    addSaveMethods(registry);
    addWorksheetMethods(registry);
    return registry;
}

} // namespace appserver::modules
