#pragma once
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

// One picture of the skin: its resource name ("main/background") and how to draw it.
struct SkinArtItem {
    QString name;
    std::function<QImage()> draw;
};

QList<SkinArtItem> AllSkinArt();
