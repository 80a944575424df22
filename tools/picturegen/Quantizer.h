#pragma once

#include <QHash>
#include <QImage>
#include <QRgb>

namespace moriva::pictures {

// Reduces a picture to at most `limit` colours the same way on every run: the most used
// colours stay (ties broken by value) and every other colour becomes its nearest kept one.
// Returns the 8-bit palette picture; `mapping` receives the colour each colour became.
QImage QuantizeToPalette(const QImage& picture, int limit, QHash<QRgb, QRgb>* mapping);

}  // namespace moriva::pictures
