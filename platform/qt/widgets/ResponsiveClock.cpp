#include "platform/qt/widgets/ResponsiveClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vistrel {

void ResponsiveClock::sleepMs(int ms) {
    if (ms <= 0) return;
    // Without a running application there are no windows to keep alive.
    if (QCoreApplication::instance() == nullptr) {
        steady_.sleepMs(ms);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace vistrel
