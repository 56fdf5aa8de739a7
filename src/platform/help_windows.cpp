#include "platform/help.h"

namespace tovi {

bool GuideInHelpWindow() { return false; }

}  // namespace tovi
