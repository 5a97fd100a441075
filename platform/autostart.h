#pragma once

#include <QByteArray>
#include <QString>

// "Start at login" as the freedesktop autostart convention has it: a desktop
// entry in ~/.config/autostart that the session starts at sign-in.
namespace Autostart {

// $XDG_CONFIG_HOME/autostart/tovrin.desktop, ~/.config when unset.
QString entryPath();
// False also for an entry the session's settings have switched off.
bool isEnabled();
// Writes the entry for `program`; false when the file cannot be written.
bool enable(const QString& program);
// Removes the entry; false only when one is left behind.
bool disable();

// The entry's text, with `program` quoted as the Exec key demands.
QByteArray entry(const QString& program);
QString execArgument(const QString& program);

} // namespace Autostart
