#include "kinds.h"

namespace Kinds {

namespace {

QHash<QString, FileKind> buildMap() {
    const std::pair<FileKind, const char*> lists[] = {
        {FileKind::pdf, "pdf"},
        {FileKind::image,
         "jpg jpeg png gif heic heif webp tif tiff bmp svg ico avif raw cr2 cr3 nef arw dng"},
        {FileKind::video, "mov mp4 m4v avi mkv webm wmv flv mts m2ts 3gp"},
        {FileKind::audio, "mp3 wav aiff aif m4a flac aac ogg caf"},
        {FileKind::design,
         "psd psb ai indd sketch fig xd afdesign afphoto afpub eps aep aepx prproj "
         "drp blend c4d obj fbx glb gltf stl procreate xcf kra clip lottie"},
        {FileKind::doc, "doc docx pages rtf rtfd odt txt md markdown"},
        {FileKind::sheet, "xls xlsx numbers csv tsv ods"},
        {FileKind::slides, "ppt pptx key odp"},
        {FileKind::archive, "zip rar 7z tar gz tgz bz2 xz zst"},
        {FileKind::installer, "dmg pkg mpkg iso deb rpm appimage flatpak flatpakref snap run"},
        {FileKind::code,
         "py js ts tsx jsx html htm css json sol rs go java swift kt c cpp h sh yml "
         "yaml toml ipynb"},
        {FileKind::font, "ttf otf woff woff2"},
        {FileKind::partial, "crdownload part download partial tmp"},
    };
    QHash<QString, FileKind> map;
    for (const auto& [kind, words] : lists)
        for (const QString& ext : QString::fromLatin1(words).split(QLatin1Char(' ')))
            map.insert(ext, kind);
    return map;
}

} // namespace

const QHash<QString, FileKind>& map() {
    static const QHash<QString, FileKind> table = buildMap();
    return table;
}

const QSet<QString>& bundleExtensions() {
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const QString& ext :
             QStringLiteral(
                 "app photoslibrary photolibrary fcpbundle imovielibrary logicx band "
                 "musiclibrary tvlibrary aplibrary lrdata lrlibrary xcodeproj xcworkspace "
                 "bundle framework rtfd pages key numbers sketch fcpxld dvdmedia prproj aep")
                 .split(QLatin1Char(' ')))
            s.insert(ext);
        return s;
    }();
    return set;
}

const QSet<FileKind>& hardProtected() {
    static const QSet<FileKind> set = {
        FileKind::pdf,    FileKind::video, FileKind::design, FileKind::doc,     FileKind::sheet,
        FileKind::slides, FileKind::font,  FileKind::bundle, FileKind::project, FileKind::folder};
    return set;
}

QString extension(const QString& pathOrName) {
    const qsizetype slash = pathOrName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = pathOrName.lastIndexOf(QLatin1Char('.'));
    // A leading dot names a hidden file, not an extension (".env" has none).
    if (dot <= slash + 1) return {};
    return pathOrName.mid(dot + 1).toLower();
}

FileKind kind(const QString& path, bool isDir) {
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const QString ext = extension(trimmed);
    if (!isDir) return map().value(ext, FileKind::other);
    if (!bundleExtensions().contains(ext)) return FileKind::project;
    const FileKind mapped = map().value(ext, FileKind::other);
    switch (mapped) {
    case FileKind::design:
    case FileKind::doc:
    case FileKind::sheet:
    case FileKind::slides:
        return mapped;
    default:
        return FileKind::bundle;
    }
}

} // namespace Kinds
