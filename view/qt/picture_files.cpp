// Each format's device around the same paintPlanePicture; written through a QSaveFile so
// that a failed export never leaves half a file in place of the old one.
#include "view/qt/picture_files.h"

#include "ui/eps_writer.h"
#include "view/qt/plane_picture.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace {

constexpr int kPngScale = 2;
constexpr int kPanePixelsPerInch = 96;
constexpr double kPointsPerPanePixel = 72.0 / kPanePixelsPerInch;

QSize pixelSize(const PlaneArea& area) {
    return {std::max(1, static_cast<int>(std::lround(area.width))),
            std::max(1, static_cast<int>(std::lround(area.height)))};
}

bool paintSvg(QSaveFile& file, const CTorvaneDoc& doc, const PlaneArea& area,
              const QFont& textFont) {
    const QSize size = pixelSize(area);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    // The document's size in millimetres follows from this: 96 pixels per inch.
    svg.setResolution(kPanePixelsPerInch);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("Torvane scene");
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintPlanePicture(painter, QRectF(QPointF(0, 0), size), doc, area, textFont,
                      PictureBackground::Pane);
    return painter.end();
}

bool paintPdf(QSaveFile& file, const CTorvaneDoc& doc, const PlaneArea& area,
              const QFont& textFont) {
    const QSize size = pixelSize(area);
    QPdfWriter pdf(&file);
    pdf.setTitle("Torvane scene");
    pdf.setPageSize(QPageSize(QSizeF(size) * kPointsPerPanePixel, QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    paintPlanePicture(painter, QRectF(0, 0, pdf.width(), pdf.height()), doc, area, textFont,
                      PictureBackground::Pane);
    return painter.end();
}

bool paintPng(QSaveFile& file, const CTorvaneDoc& doc, const PlaneArea& area,
              const QFont& textFont) {
    QImage image(pixelSize(area) * kPngScale, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    {
        QPainter painter(&image);
        paintPlanePicture(painter, QRectF(QPointF(0, 0), image.size()), doc, area, textFont,
                          PictureBackground::Pane);
    }
    return image.save(&file, "PNG");
}

} // namespace

std::optional<PictureFormat> pictureFormatOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "eps")
        return PictureFormat::Eps;
    if (suffix == "svg")
        return PictureFormat::Svg;
    if (suffix == "pdf")
        return PictureFormat::Pdf;
    if (suffix == "png")
        return PictureFormat::Png;
    return std::nullopt;
}

PictureWriteResult writePictureFile(const QString& path, PictureFormat format, const CTorvaneDoc& doc,
                      const PlaneArea& area, const QFont& screenFont) {
    if (format == PictureFormat::Eps)
        return writeEpsFile(path.toStdString(), doc);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return PictureWriteResult::CannotWrite;
    const QFont textFont = paneTextFont(screenFont);
    bool painted = false;
    switch (format) {
    case PictureFormat::Svg:
        painted = paintSvg(file, doc, area, textFont);
        break;
    case PictureFormat::Pdf:
        painted = paintPdf(file, doc, area, textFont);
        break;
    case PictureFormat::Png:
        painted = paintPng(file, doc, area, textFont);
        break;
    case PictureFormat::Eps:
        break;
    }
    if (!painted) {
        file.cancelWriting();
        return PictureWriteResult::CannotWrite;
    }
    return file.commit() ? PictureWriteResult::Written : PictureWriteResult::CannotWrite;
}
