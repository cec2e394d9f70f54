#pragma once
// The pixmaps of the UI resource, painted in code rather than loaded so that
// the framework ships no image files: the instruments' tag badges, the edit
// icons and the tool bar background. Internal to the UI framework
// (CUiResource).
//
// Each picture is drawn in logical pixels onto a pixmap of the requested
// device pixel ratio, so it is as sharp at 150% or 200% as at 100%.
//
// GUI thread only: QPixmap may not be created elsewhere.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>

namespace GU {
namespace pixmaps {

// Every key paintPixmap() knows, in a fixed order.
QStringList keys();

// Paints key for devicePixelRatio (> 0) with the colours color(key) gives.
// The result's devicePixelRatio() is devicePixelRatio and its device size
// the logical size times it (rounded up). A null pixmap for an unknown key.
QPixmap paintPixmap(const QString& key, qreal devicePixelRatio,
                    const std::function<QColor(const char*)>& color);

}  // namespace pixmaps
}  // namespace GU
