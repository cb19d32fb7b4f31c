#include "platform/qt/widgets/QtEventPump.h"

#include <QCoreApplication>

namespace vistrel {

void QtEventPump::drain() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace vistrel
