#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace Language {

void install(const QLocale& locale) {
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto& translator : installed)
        QCoreApplication::removeTranslator(translator.get());
    installed.clear();

    const auto add = [](const QLocale& in, const QString& name, const QString& dir) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(in, name, QStringLiteral("_"), dir)) return false;
        QCoreApplication::installTranslator(translator.get());
        installed.push_back(std::move(translator));
        return true;
    };
    const QString ours = QStringLiteral(":/i18n");
    const QString tovrin = QStringLiteral("tovrin");
    // English has a file of its own too: it holds the singular and plural
    // forms of the counts.
    if (!add(locale, tovrin, ours)) add(QLocale(QLocale::English), tovrin, ours);
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    add(locale, QStringLiteral("qtbase"), qt);
    add(locale, QStringLiteral("qtdeclarative"), qt);
    QLocale::setDefault(locale);
}

} // namespace Language
