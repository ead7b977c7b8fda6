#include "progress_window.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMetaObject>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace qz::encoder {

namespace {

QString duration_text(double seconds) {
    const long s = long(std::max(0.0, seconds));
    return QString::asprintf("%ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
}

// Half-size RGB picture of the frame (BT.601, studio range), the way the preview shows frames.
void picture_to_image(const Planes& p, QImage& image) {
    const int w = p.width / 2, h = p.height / 2;
    if (image.width() != w || image.height() != h) image = QImage(w, h, QImage::Format_RGB888);
    const bool half_rows = p.chroma == Chroma::k420;
    for (int y = 0; y < h; ++y) {
        uchar* out = image.scanLine(y);
        const uint8_t* luma = p.y.data() + size_t(2 * y) * size_t(p.width);
        const int chroma_row = half_rows ? y : 2 * y;
        const uint8_t* u = p.u.data() + size_t(chroma_row) * size_t(p.chroma_width());
        const uint8_t* v = p.v.data() + size_t(chroma_row) * size_t(p.chroma_width());
        for (int x = 0; x < w; ++x) {
            const int c = 76284 * luma[2 * x] - 1220544, cu = u[x] - 128, cv = v[x] - 128;
            out[3 * x] = uchar(std::clamp((c + 104595 * cv) >> 16, 0, 255));
            out[3 * x + 1] = uchar(std::clamp((c - 25625 * cu - 53281 * cv) >> 16, 0, 255));
            out[3 * x + 2] = uchar(std::clamp((c + 132252 * cu) >> 16, 0, 255));
        }
    }
}

class ProgressWindow final : public QWidget, public Progress {
public:
    ProgressWindow(bool preview, int wait_seconds) : preview_(preview), wait_seconds_(wait_seconds) {
        setWindowTitle("QZenc 0.28");
        auto* layout = new QVBoxLayout(this);
        frames_ = new QLabel("starting...", this);
        times_ = new QLabel(this);
        bitrate_ = new QLabel(this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 1000);
        layout->addWidget(frames_);
        layout->addWidget(times_);
        layout->addWidget(bitrate_);
        layout->addWidget(bar_);
        if (preview_) {
            picture_ = new QLabel(this);
            picture_->setMinimumSize(360, 288);
            layout->addWidget(picture_);
        }
    }

    // The worker thread's side: keep the latest report, ask the window to show it.
    void update(const ProgressReport& report) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            latest_ = report;
            latest_.picture = nullptr;
            if (preview_ && report.picture) picture_to_image(*report.picture, image_);
        }
        if (!refresh_pending_.exchange(true))
            QMetaObject::invokeMethod(this, [this] { show_latest(); }, Qt::QueuedConnection);
    }

    void finished(bool ok, const char* summary) override {
        const QString text = QString::fromUtf8(summary);
        QMetaObject::invokeMethod(
            this,
            [this, ok, text] {
                show_latest();
                frames_->setText(text);
                if (ok) bar_->setValue(bar_->maximum());
                QTimer::singleShot(wait_seconds_ * 1000, this, [] { QApplication::quit(); });
            },
            Qt::QueuedConnection);
    }

private:
    void show_latest() {
        refresh_pending_ = false;
        ProgressReport r;
        QImage image;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            r = latest_;
            if (preview_) image = image_.copy();
        }
        frames_->setText(QString::asprintf("pass %d of %d: frame %d of %d, %.1f fps", r.pass, r.passes, r.done, r.total, r.fps));
        times_->setText("elapsed " + duration_text(r.elapsed_seconds) + ", remaining " + duration_text(r.remaining_seconds));
        bitrate_->setText(QString::asprintf("current bitrate %.0f kbit/s", r.kbps));
        const double total = double(std::max(r.total, 1)) * r.passes;
        bar_->setValue(int(1000.0 * ((r.pass - 1) * r.total + r.done) / total));
        if (picture_ && !image.isNull()) picture_->setPixmap(QPixmap::fromImage(image));
    }

    bool preview_;
    int wait_seconds_;
    QLabel *frames_ = nullptr, *times_ = nullptr, *bitrate_ = nullptr, *picture_ = nullptr;
    QProgressBar* bar_ = nullptr;
    std::mutex mutex_;
    ProgressReport latest_;
    QImage image_;
    std::atomic<bool> refresh_pending_{false};
};

}  // namespace

int run_with_window(RunOptions options, const WindowSettings& window, int argc, char** argv) {
    QApplication application(argc, argv);
    ProgressWindow progress(window.preview, window.wait_seconds);
    progress.show();
    options.window_shown = true;
    options.preview_wanted = window.preview;
    std::atomic<int> code{kExitEncode};
    std::thread worker([&] { code = run_encode(options, progress); });
    QApplication::exec();
    worker.join();
    return code;
}

}  // namespace qz::encoder
