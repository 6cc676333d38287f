#include "packaging/ProgramIcon.h"

#include "setupsupport/DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace kaldo {

namespace {

const QString kResourceFolder = QStringLiteral(":/kaldo/icons");

struct IconFile {
    QString Resource; // in the program
    QString Relative; // below the theme folder
    int Size = 0;     // width and height of a picture; 0 for the scalable one
};

// "<size>/kaldo-tendwell.png" becomes "<size>x<size>/apps/…", the picture "scalable/apps/…".
std::vector<IconFile> IconFiles() {
    std::vector<IconFile> files;
    const QString svg =
        QString::fromLatin1(kProgramIconName.data(), kProgramIconName.size()) + ".svg";
    files.push_back({kResourceFolder + "/" + svg, "scalable/apps/" + svg});
    const QString png =
        QString::fromLatin1(kProgramIconName.data(), kProgramIconName.size()) + ".png";
    for (const QString& size :
         QDir(kResourceFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        files.push_back({kResourceFolder + "/" + size + "/" + png,
                         size + "x" + size + "/apps/" + png, size.toInt()});
    return files;
}

} // namespace

// With their sizes given, the pictures are read only when a size is asked for.
QIcon ProgramIcon() {
    QIcon icon;
    for (const IconFile& file : IconFiles()) {
        if (file.Size > 0)
            icon.addFile(file.Resource, QSize(file.Size, file.Size));
    }
    return icon;
}

bool WriteProgramIcons(const std::string& themeFolder, std::string& error) {
    const QDir theme(QString::fromStdString(themeFolder));
    bool written = true;
    for (const IconFile& file : IconFiles()) {
        const QString target = theme.filePath(file.Relative);
        QFile source(file.Resource);
        QSaveFile output(target);
        const bool ok = QDir().mkpath(QFileInfo(target).path()) &&
                        source.open(QIODevice::ReadOnly) && output.open(QIODevice::WriteOnly) &&
                        output.write(source.readAll()) == source.size() && output.commit();
        if (!ok) {
            if (error.empty())
                error = "Cannot write " + target.toStdString();
            written = false;
            continue;
        }
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return written;
}

void RemoveProgramIcons(const std::string& themeFolder) {
    const QDir theme(QString::fromStdString(themeFolder));
    for (const IconFile& file : IconFiles())
        QFile::remove(theme.filePath(file.Relative));
}

} // namespace kaldo
