#include "platform/instance/InstanceName.h"

#include <QCryptographicHash>

#if defined(_WIN32)
#include <QtGlobal>
#else
#include <unistd.h>
#endif

#include <system_error>

namespace {

// The bytes that name the folder: the name's own bytes on POSIX systems, so that a name
// in any encoding gets a name of its own; UTF-8 on Windows.
QByteArray FolderBytes(const std::filesystem::path& folder)
{
#if defined(_WIN32)
    const std::u8string text = folder.u8string();
    return {reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size())};
#else
    return QByteArray::fromStdString(folder.native());
#endif
}

// The user part of the file key. POSIX: the numeric user id, which no environment
// variable can change. Windows keeps its user-name hash: its local sockets are named
// pipes, one name space for the whole machine.
QString UserPart()
{
#if defined(_WIN32)
    const QByteArray user = qEnvironmentVariable("USERNAME").toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(user, QCryptographicHash::Sha1).toHex().left(12));
#else
    return QString::number(::getuid());
#endif
}

}  // namespace

std::filesystem::path CanonicalFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error)
        absolute = folder;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    if (error)
        canonical = absolute.lexically_normal();
    // "D/" ends in an empty name; the folder is its parent.
    while (!canonical.has_filename() && canonical.has_relative_path())
        canonical = canonical.parent_path();
    return canonical;
}

InstanceName InstanceName::ForRun(bool simulate, const std::filesystem::path& dataFolder)
{
    InstanceName name{QString::fromLatin1(CorvaneBus::kServiceName), QStringLiteral("corvane-") + UserPart()};
    if (!simulate)
        return name;
    const QByteArray hash = QCryptographicHash::hash(FolderBytes(CanonicalFolder(dataFolder)),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(CorvaneBus::kFolderHashLength);
    const QString element = QString::fromLatin1(CorvaneBus::kSimulatedElement) + QString::fromLatin1(hash);
    name.busName += QLatin1Char('.') + element;
    name.fileKey += QLatin1Char('-') + element;
    return name;
}
