// Arbitrary names and extensions through the sanitiser: whatever comes back
// must be a plain file name that stays in its folder, fits the file system
// and keeps the extension.

#include "planner.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what, const QString& name) {
    std::fprintf(stderr, "fuzz_naming: %s: %s\n", what, qPrintable(name));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first line is the suggested name, the rest the file's own name.
    const qsizetype split = bytes.indexOf('\n');
    const QString suggested = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString original = QString::fromUtf8(split < 0 ? QByteArray() : bytes.mid(split + 1));
    const QString ext = Naming::extension(original);
    Naming::isMeaningless(original);
    Naming::withoutExtension(original);
    const std::optional<QString> name = Naming::sanitize(suggested, ext);
    if (!name) return 0;
    if (name->isEmpty() || *name == QLatin1String(".") || *name == QLatin1String(".."))
        fail("not a name", *name);
    if (name->startsWith(QLatin1Char('.'))) fail("hidden", *name);
    if (name->toUtf8().size() > nameBytes) fail("longer than a file name may be", *name);
    for (const QChar c : *name)
        if (c == QLatin1Char('/') || c == QChar(0) || c.category() == QChar::Other_Control)
            fail("separator or control character", *name);
    if (!ext.isEmpty() && !name->endsWith(QLatin1Char('.') + ext, Qt::CaseInsensitive))
        fail("extension lost", *name);
    return 0;
}
