#include "platform/help.h"

namespace tovi {

bool GuideInHelpWindow() { return true; }

}  // namespace tovi
