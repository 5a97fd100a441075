#include "desktopwords.h"

#include <QCoreApplication>

namespace DesktopWords {

namespace {

constexpr char context[] = "DesktopWords";

// The wording on every other desktop, and on macOS.
struct Wording {
    const char* desktop;
    const char* macos;
};

Wording wording(Phrase phrase) {
    switch (phrase) {
    case Phrase::freshStart:
        return {QT_TRANSLATE_NOOP("DesktopWords", "A fresh start for your computer."),
                QT_TRANSLATE_NOOP("DesktopWords", "A fresh start for your Mac.")};
    case Phrase::computerExhaled:
        return {QT_TRANSLATE_NOOP("DesktopWords", "Your computer just exhaled."),
                QT_TRANSLATE_NOOP("DesktopWords", "Your Mac just exhaled.")};
    case Phrase::keyStaysHere:
        return {QT_TRANSLATE_NOOP("DesktopWords",
                                  "Paste your Claude API key. It stays on this computer in a "
                                  "private file and is only sent to Anthropic."),
                QT_TRANSLATE_NOOP("DesktopWords",
                                  "Paste your Claude API key. It stays on this Mac in a private "
                                  "file and is only sent to Anthropic.")};
    case Phrase::quickModelDetail:
        return {QT_TRANSLATE_NOOP("DesktopWords", "Faster, great for most computers"),
                QT_TRANSLATE_NOOP("DesktopWords", "Faster, great for most Macs")};
    case Phrase::startFromIcon:
        return {QT_TRANSLATE_NOOP("DesktopWords", "Start a refresh from the tray icon."),
                QT_TRANSLATE_NOOP("DesktopWords", "Start a refresh from the menu bar.")};
    case Phrase::openInFileManager:
        return {QT_TRANSLATE_NOOP("DesktopWords", "Open in the file manager"),
                QT_TRANSLATE_NOOP("DesktopWords", "Open in Finder")};
    case Phrase::keepInstallersDetail:
        return {QT_TRANSLATE_NOOP("DesktopWords", "Otherwise old .deb and AppImage files go to "
                                                  "Clear out for you to review."),
                QT_TRANSLATE_NOOP("DesktopWords", "Otherwise old .dmg and .pkg files go to Clear "
                                                  "out for you to review.")};
    case Phrase::sortPromptOpening:
        return {"You sort files on one person's computer into folders by what each file actually "
                "is, not just its name.",
                "You sort files on one person's Mac into folders by what each file actually is, "
                "not just its name."};
    case Phrase::discoveryPromptOpening:
        return {"You look at a summary of someone's computer files and identify the distinct "
                "projects, brands, businesses, clients, products, coins/tokens, or creator "
                "channels they personally work on.",
                "You look at a summary of someone's Mac files and identify the distinct projects, "
                "brands, businesses, clients, products, coins/tokens, or creator channels they "
                "personally work on."};
    }
    Q_UNREACHABLE();
}

const char* source(Phrase phrase) {
#if defined(Q_OS_MACOS)
    return wording(phrase).macos;
#else
    return wording(phrase).desktop;
#endif
}

} // namespace

QString text(Phrase phrase) {
    return QCoreApplication::translate(context, source(phrase));
}

QString english(Phrase phrase) {
    return QString::fromUtf8(source(phrase));
}

} // namespace DesktopWords
