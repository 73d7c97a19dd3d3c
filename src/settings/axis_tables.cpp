#include "settings/link_settings.h"

namespace quenlo {

AxisRow WcsTable[kWcsRows] = {};
AxisRow RefTable[kRefRows] = {};

}  // namespace quenlo
