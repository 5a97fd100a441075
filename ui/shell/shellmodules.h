#pragma once

#include <QStringList>

// The view modules linked into this build; the others' windows cannot open.
namespace ShellModules {
QStringList uris();
} // namespace ShellModules
