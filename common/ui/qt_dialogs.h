#pragma once

#include "common/dialogs.h"

#include <memory>

namespace dialogs {

// The real service on Qt dialogs, with French button texts.
std::unique_ptr<Service> makeQtService();

} // namespace dialogs
