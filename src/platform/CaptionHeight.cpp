#include "platform/CaptionHeight.h"

#include <QApplication>
#include <QStyle>

namespace moriva {

int GetCaptionHeight() { return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight); }

}  // namespace moriva
