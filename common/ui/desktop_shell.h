#pragma once

#include "common/shell.h"

#include <memory>

namespace shell {

// Opens with the desktop's own applications, false when none could (Qt's own
// English lines about it are not shown); prints on a printer chosen in the
// print dialog.
std::unique_ptr<Service> makeDesktopService();

} // namespace shell
