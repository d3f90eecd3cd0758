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

// The art needs a real CJK font for its Traditional Chinese text and a font
// with phonetic symbols; without them it would silently draw boxes.
bool SkinFontsAvailable(QString* missing);
