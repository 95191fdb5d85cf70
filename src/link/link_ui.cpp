// The text of an error as the link shows it.
#include "link/link_ui.h"

#include "platform/runtime/vberror.h"

namespace qv {

QString errorText(const VbError& e)
{
    return e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description();
}

} // namespace qv
