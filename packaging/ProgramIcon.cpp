#include "packaging/ProgramIcon.h"

#include "setupsupport/DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>

#include <algorithm>
#include <map>
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

// Reads a picture only when a window asks for a size, and then only the one that fits: a
// window whose desktop takes the icon from the theme never reads any.
class ProgramIconEngine final : public QIconEngine {
public:
    ProgramIconEngine() {
        for (const IconFile& file : IconFiles()) {
            if (file.Size > 0)
                m_files.emplace(file.Size, Picture{file.Resource, {}});
        }
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const auto& [side, picture] : m_files)
            sizes.append(QSize(side, side));
        return sizes;
    }

    // As QIcon does, pictures are made smaller to fit, never larger.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = Side(size);
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = Side(size);
        if (side <= 0)
            return {};
        // The smallest picture at least as large, read the first time it is asked for.
        const auto file = m_files.lower_bound(side);
        Picture& picture = file->second;
        if (picture.Read.isNull())
            picture.Read.load(picture.Resource);
        if (file->first == side || picture.Read.isNull())
            return picture.Read;
        return picture.Read.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

private:
    int Side(const QSize& size) const {
        if (m_files.empty())
            return 0;
        return std::min({size.width(), size.height(), m_files.rbegin()->first});
    }

    struct Picture {
        QString Resource;
        QPixmap Read; // null until asked for
    };
    std::map<int, Picture> m_files; // by side
};

} // namespace

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine);
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
