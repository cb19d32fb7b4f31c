#include "platform/Prompter.h"

#include "res/StringTable.h"

namespace vistrel {

MessageAnswer Prompter::showMessage(int stringId, MessageIcon icon, MessageButtons buttons, int defaultButton) {
    return showMessage(std::string(res::text(stringId)), icon, buttons, defaultButton);
}

}  // namespace vistrel
