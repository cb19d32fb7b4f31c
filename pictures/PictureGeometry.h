#pragma once
// Where a picture goes in an area: as large as fits, its shape kept, centred. Pure
// arithmetic, shared by the decoder (which size to decode at) and the painter (where
// to put what was decoded).
#include <QRect>
#include <QSize>

namespace vistrel::pictures {

// The size `picture` takes when fitted into `area` keeping its shape: at least one
// pixel each way as long as both are non-empty, empty otherwise.
QSize fittedSize(QSize picture, QSize area);

// `picture` fitted into `area` and centred in it.
QRect fittedRect(QSize picture, QRect area);

}  // namespace vistrel::pictures
