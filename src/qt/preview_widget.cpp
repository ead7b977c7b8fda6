#include "qt/preview_widget.h"

#include "preview/preview_rect.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qz::qt {

namespace {

// The band every picture lies in: the width of the 2.21:1 picture and the height of the others,
// both centred on the design area's picture centre.
constexpr int kWidestAspect = 4;
constexpr int kTallestAspect = 2;

QRect as_qrect(const preview::PreviewRect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace

const QImage& PreviewPicture::image(int revision) {
    if (revision == revision_) return image_;
    auto lock = app_.controls.hold();
    const preview::BitmapImage& bitmap = app_.bitmap;
    image_ = QImage();
    if (!bitmap.bytes().empty()) {
        // Rows are stored bottom-up, 3 bytes a pixel in blue, green, red order, each row padded to 4 bytes.
        const QImage rows(bitmap.pixels().data(), bitmap.width(), bitmap.height(),
                          static_cast<qsizetype>(preview::bitmap_row_bytes(bitmap.width())), QImage::Format_BGR888);
        image_ = rows.mirrored(false, true);  // a deep copy, top row first
    }
    revision_ = revision;
    return image_;
}

QRect picture_rectangle(int aspect, QSize area) {
    using preview::kDesignAreaHeight;
    using preview::kDesignAreaWidth;
    using preview::preview_rectangle;
    const auto wide = preview_rectangle(kWidestAspect, kDesignAreaWidth, kDesignAreaHeight);
    const auto tall = preview_rectangle(kTallestAspect, kDesignAreaWidth, kDesignAreaHeight);
    if (area.isEmpty() || !wide || !tall) return {};
    const double scale = std::min(double(area.width()) / wide->width, double(area.height()) / tall->height);
    const int design_width = int(std::lround(kDesignAreaWidth * scale));
    const int design_height = int(std::lround(kDesignAreaHeight * scale));
    const auto picture = preview_rectangle(aspect, design_width, design_height);
    if (!picture) return {};
    const QRect band_x = as_qrect(*preview_rectangle(kWidestAspect, design_width, design_height));
    const QRect band_y = as_qrect(*preview_rectangle(kTallestAspect, design_width, design_height));
    const QPoint shift((area.width() - band_x.width()) / 2 - band_x.left(),
                       (area.height() - band_y.height()) / 2 - band_y.top());
    return as_qrect(*picture).translated(shift).intersected(QRect(QPoint(0, 0), area));
}

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);  // a click on the picture lets the keys step through the video
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewWidget::set_picture(PreviewPicture* picture) {
    picture_ = picture;
    update();
}

void PreviewWidget::picture_changed(int revision) {
    if (revision == revision_) return;
    revision_ = revision;
    update();
}

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage* image = picture_ ? &picture_->image(revision_) : nullptr;
    if (image && !image->isNull()) {
        // The rectangle is found in device pixels, so a high-density screen gets the full sharpness.
        const qreal ratio = devicePixelRatioF();
        const QSize device_size(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
        const QRect target = picture_rectangle(picture_->aspect(), device_size);
        if (!target.isEmpty()) {
            if (scaled_revision_ != revision_ || scaled_.size() != target.size()) {
                scaled_ = image->scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                scaled_revision_ = revision_;
            }
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(target.x() / ratio, target.y() / ratio, target.width() / ratio,
                                     target.height() / ratio),
                              scaled_);
        }
    }
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PreviewWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PreviewWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace qz::qt
