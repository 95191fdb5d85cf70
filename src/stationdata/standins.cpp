// Stand-ins for helpers of the main window that the station decoders use, until it lands.
#include "stationdata/standins.h"

namespace qv::sdaux {

QString GetFuncCodeCaption(int16_t)
{
    return QString();
}

} // namespace qv::sdaux
