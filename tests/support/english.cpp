// Linked into every test: texts, numbers and sizes as a user in the United
// States reads them, whatever the machine's locale, from the first line on.
#include "language.h"

#include <QCoreApplication>

namespace {
void readEnglish() {
    Language::install(QLocale(QLocale::English, QLocale::UnitedStates));
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(readEnglish)
