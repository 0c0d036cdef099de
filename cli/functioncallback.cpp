#include "functioncallback.h"

void FunctionCallback::callback(CommandCallback::Result result, const EngineCommand& command)
{
    if (m_function)
        m_function(result, command);
}
