#pragma once

#include <QList>
#include <QPixmap>

// Paints VxStyle's custom pixmaps. They are drawn rather than shipped as images so that
// every size is crisp: shapes are laid out on a 16-unit grid, filled with mid-tone colours
// and outlined darker, so they read on light and dark backgrounds alike.
class VxStylePixmaps
{
public:
    static QList<uint> ids();
    static bool contains(uint id);
    // The pixmap `id` at `size` by `size` pixels; a null pixmap for an unknown id.
    static QPixmap paint(uint id, int size);
};
