// Arbitrary bytes as a PDF, an Office document, an archive and a text file:
// the peek is bounded, gives text or nothing, and never crashes or hangs.

#include "scanner.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* ext : {"pdf", "docx", "xlsx", "pptx", "txt", "rtf"}) {
        const QString path = dir.path() + QStringLiteral("/input.") + QLatin1String(ext);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(bytes);
        file.close();
        const std::optional<QString> text =
            Scanner::snippet(path, QLatin1String(ext), qint64(bytes.size()));
        // A peek is a sample, never the whole of a large document.
        if (text && text->size() > 100'000) {
            std::fprintf(stderr, "fuzz_peek: %lld characters from .%s\n",
                         static_cast<long long>(text->size()), ext);
            std::abort();
        }
    }
    Scanner::unzip(dir.path() + QStringLiteral("/input.docx"), QStringLiteral("word/document.xml"));
    return 0;
}
