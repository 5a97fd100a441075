#pragma once

#include "appstate.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

// The status icon follows the phase: the product glyph at rest, a filled
// sunrise while a plan waits, the circling arrows while work runs.
namespace TrayIcons {

inline const QString menuIcon = QStringLiteral("MenuIcon");

// Resource path of one of the shared icons, e.g. "gearshape".
QString path(const QString& name);
bool loads(const QString& name);
// The icon name for a phase; without the product glyph the plain sunrise.
QString choose(Phase phase, bool menuIconLoads);
// One crisp rendering in the given ink; null when the icon does not load.
QImage render(const QString& name, int pixels, const QColor& ink);
// Renderings at 16, 22, 24 and 32 pixels; empty when the icon does not load.
QIcon icon(const QString& name, const QColor& ink);

} // namespace TrayIcons
