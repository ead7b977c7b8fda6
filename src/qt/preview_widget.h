// The picture area of a preview page: draws the current frame's image scaled into its rectangle.
#pragma once

#include <QImage>
#include <QWidget>

namespace qz::qt {

class PreviewWidget final : public QWidget {
public:
    explicit PreviewWidget(QWidget* parent);
    void set_image(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace qz::qt
