#pragma once

#include <QObject>
#include <QString>

// The sentences that name the machine and the desktop around the application:
// the computer, its file manager, where the application's icon sits, its
// installer files. Each entry is one whole sentence, so that translators never
// meet a word glued into a sentence.
namespace DesktopWords {
Q_NAMESPACE

enum class Phrase {
    freshStart,
    computerExhaled,
    keyStaysHere,
    quickModelDetail,
    startFromIcon,
    openInFileManager,
    keepInstallersDetail,
    // The model prompts' first sentences; prompts stay English.
    sortPromptOpening,
    discoveryPromptOpening,
};
Q_ENUM_NS(Phrase)

// In the user's language, for the views.
QString text(Phrase phrase);
// As written, for the model prompts.
QString english(Phrase phrase);

} // namespace DesktopWords
