#include "Modules.h"

namespace appserver::modules {

void addSaveMethods(rpc::MethodRegistry&)
{
}

} // namespace appserver::modules
