#include "platform/QtEventPump.h"

#include <QCoreApplication>

namespace moriva {

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace moriva
