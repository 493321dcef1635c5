#include "Modules.h"

namespace appserver::modules {

void addAssignmentMethods(rpc::MethodRegistry&)
{
}

} // namespace appserver::modules
