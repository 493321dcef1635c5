#include "Modules.h"

namespace appserver::modules {

void addRegisterMethods(rpc::MethodRegistry&)
{
}

} // namespace appserver::modules
