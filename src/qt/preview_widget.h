// The picture area of a preview page: the current frame's picture, scaled smoothly into the
// rectangle of the display aspect ratio and centred in the area, as large as the area allows.
#pragma once

#include "state/app.h"

#include <QImage>
#include <QWidget>

namespace qz::qt {

// The program's picture as an image, made once per picture revision and shared by the three pages:
// the pixels are copied from App::bitmap under the control model's lock, so a picture the
// scene-change worker draws meanwhile is never read half built.
class PreviewPicture {
public:
    explicit PreviewPicture(App& app) : app_(app) {}

    // The picture of `revision` (the preview area's position in the model); null for no picture.
    const QImage& image(int revision);
    // *ASPECT, read as the picture is painted: a changed aspect places the picture anew.
    int aspect() const { return app_.settings.values.aspect; }

private:
    App& app_;
    int revision_ = -1;
    QImage image_;
};

// Where the picture of `aspect` goes in an area of `area` pixels: the rectangle of the design area's
// table (preview::preview_rectangle), the design area scaled alike in both directions so that the
// band every aspect's picture lies in fills the area, centred. Empty for an aspect with no picture.
QRect picture_rectangle(int aspect, QSize area);

class PreviewWidget final : public QWidget {
public:
    explicit PreviewWidget(QWidget* parent);

    // Where the picture comes from; without one the area stays black.
    void set_picture(PreviewPicture* picture);
    // The model's picture revision of this area changed.
    void picture_changed(int revision);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The area shows a frame when it has the keys.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    PreviewPicture* picture_ = nullptr;
    int revision_ = 0;
    // The picture scaled to the rectangle it was last painted in, in device pixels: scaled again only
    // when the picture or the rectangle changes, not at every paint.
    QImage scaled_;
    int scaled_revision_ = -1;
};

}  // namespace qz::qt
