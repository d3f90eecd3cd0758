#include "SkinPictures.h"

#include <QDir>
#include <QPixmapCache>

static void initSkinResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(varnelo_skin);
        return true;
    }();
    Q_UNUSED(done);
}

QPixmap SkinPicture(const QString& name)
{
    initSkinResources();
    const QString path = QStringLiteral(":/skin/") + name + QStringLiteral(".png");
    QPixmap pm;
    if (!QPixmapCache::find(path, &pm)) {
        pm.load(path);
        if (!pm.isNull())
            QPixmapCache::insert(path, pm);
    }
    return pm;
}

QStringList SkinPictureNames()
{
    initSkinResources();
    QStringList names;
    const QString root = QStringLiteral(":/skin/");
    QStringList folders = {QString()};
    while (!folders.isEmpty()) {
        const QString sub = folders.takeFirst();
        QDir dir(root + sub);
        for (const QString& f : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            folders << sub + f + QLatin1Char('/');
        for (const QString& f : dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
            names << sub + f.chopped(4);
    }
    names.sort();
    return names;
}
