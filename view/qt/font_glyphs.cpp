// Renders each glyph without antialiasing and packs it bottom row first, as glBitmap reads.
#include "view/qt/font_glyphs.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

GlyphBitmap renderGlyph(const QFont& font, const QFontMetrics& metrics, QChar ch) {
    GlyphBitmap g;
    g.advance = static_cast<float>(metrics.horizontalAdvance(ch));
    g.width = std::max({1, metrics.horizontalAdvance(ch), metrics.boundingRect(ch).right() + 1});
    g.height = std::max(1, metrics.ascent() + metrics.descent());
    g.originY = static_cast<float>(metrics.descent());

    QImage image(g.width, g.height, QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(0, metrics.ascent(), QString(ch));
    }
    const int rowBytes = (g.width + 7) / 8;
    g.rows.assign(static_cast<std::size_t>(rowBytes * g.height), 0);
    for (int y = 0; y < g.height; ++y) {
        const uchar* line = image.constScanLine(g.height - 1 - y);
        for (int x = 0; x < g.width; ++x)
            if (line[x] >= 128)
                g.rows[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return g;
}

} // namespace

std::vector<GlyphBitmap> fontGlyphBitmaps(const QFont& font) {
    QFont crisp = font;
    crisp.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(crisp);
    std::vector<GlyphBitmap> glyphs;
    for (int code = kFontFirstCharacter; code < kFontFirstCharacter + kFontListCount; ++code) {
        // 127 is a control character: an empty glyph the width of a space.
        const QChar ch = code == 127 ? QChar(' ') : QChar(code);
        glyphs.push_back(renderGlyph(crisp, metrics, ch));
    }
    return glyphs;
}
