#pragma once

#include <QLocale>

// The language the texts are read in and the locale numbers, dates and sizes
// are written in.
namespace Language {

// Installs Tovrin's texts and Qt's own standard texts for the locale, in
// place of those of an earlier call, and makes it the default locale. A
// language Tovrin has no texts for reads English.
void install(const QLocale& locale = QLocale::system());

} // namespace Language
