#include "sim_window.h"

#include "shell_driver.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <dlfcn.h>

namespace {

// Keys for the device's buttons.
int button_for(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return PZ_BUTTON_ACTION;
    case Qt::Key_M:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return PZ_BUTTON_MENU;
    case Qt::Key_Space:
        return PZ_BUTTON_PLAY;
    case Qt::Key_Left:
        return PZ_BUTTON_PREVIOUS;
    case Qt::Key_Right:
        return PZ_BUTTON_NEXT;
    case Qt::Key_H:
        return PZ_BUTTON_HOLD;
    default:
        return -1;
    }
}

const char *const state_names[] = {"disconnected", "connected (not mounted)", "mounted", "transferring",
                                   "ejected"};

} // namespace

ScreenView::ScreenView(int scale, QWidget *parent) : QWidget(parent), scale_(scale)
{
    setFixedSize(ttk_screen->w * scale, ttk_screen->h * scale);
}

void ScreenView::show_screen(const QImage &image)
{
    image_ = image;
    update();
}

void ScreenView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(rect(), image_);
}

SimWindow::SimWindow(const QString &root, int scale) : root_(root)
{
    setWindowTitle("skerry-sim");
    view_ = new ScreenView(scale, this);
    auto *attach = new QPushButton("Attach remote iPod");
    auto *detach = new QPushButton("Detach remote iPod");
    for (QPushButton *b : {attach, detach})
        b->setFocusPolicy(Qt::NoFocus);
    connect(attach, &QPushButton::clicked, this, [this] { attach_remote(); });
    connect(detach, &QPushButton::clicked, this, [this] { detach_remote(); });
    status_ = new QLabel;
    status_->setMinimumWidth(260);
    zoom_ = new QLabel;
    auto *keys = new QLabel("Keys:\nEnter  action (hold: held action)\nM, Esc  menu\n"
                            "Up/Down, wheel  scroll\nLeft/Right  previous/next\nSpace  play");
    auto *side = new QVBoxLayout;
    side->addWidget(attach);
    side->addWidget(detach);
    side->addWidget(status_);
    side->addWidget(new QLabel("Header icon, enlarged:"));
    side->addWidget(zoom_);
    side->addStretch();
    side->addWidget(keys);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(side);
    setFocusPolicy(Qt::StrongFocus);

    clock_.start();
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(10);
    refresh();
}

void SimWindow::attach_remote()
{
    QFile f(root_ + "/proc/scsi/scsi");
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write("Attached devices:\n"
                "Host: scsi0 Channel: 00 Id: 00 Lun: 00\n"
                "  Vendor: Apple    Model: iPod             Rev: 1.62\n"
                "  Type:   Direct-Access                    ANSI SCSI revision: 02\n");
}

void SimWindow::detach_remote()
{
    QFile f(root_ + "/proc/scsi/scsi");
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write("Attached devices:\n");
}

int SimWindow::rip_status() const
{
    void *handle = shell_module_handle();
    auto *status = handle ? static_cast<int *>(dlsym(handle, "rip_status")) : nullptr;
    return status ? *status : -1;
}

void SimWindow::update_status()
{
    int s = rip_status();
    status_->setText(s >= 0 && s <= 4 ? QString("Remote iPod: %1").arg(state_names[s]) : "No module loaded");
}

void SimWindow::refresh()
{
    shell_render();
    ttk_surface srf = shell_surface();
    QImage image(reinterpret_cast<const uchar *>(srf->pixels), srf->w, srf->h, srf->w * 4, QImage::Format_RGB32);
    view_->show_screen(image.copy());
    const int w = 24, h = ttk_screen->wy;
    zoom_->setPixmap(QPixmap::fromImage(image.copy(srf->w - w, 0, w, h).scaled(w * 8, h * 8)));
    update_status();
    last_draw_ = last_ms_;
}

// Virtual time follows real time; the screen is redrawn five times a
// second, like the device's header, and after every input.
void SimWindow::tick()
{
    qint64 now = clock_.elapsed();
    shell_advance(int(now - last_ms_));
    last_ms_ = now;
    if (now - last_draw_ >= 200)
        refresh();
}

void SimWindow::run_for(int ms)
{
    for (int left = ms; left > 0; left -= 100) {
        shell_advance(std::min(left, 100));
        refresh();
    }
}

void SimWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Up)
        shell_scroll(-1);
    else if (event->key() == Qt::Key_Down)
        shell_scroll(1);
    else if (int b = button_for(event->key()); b >= 0)
        shell_button_down(b);
    else
        return QWidget::keyPressEvent(event);
    refresh();
}

void SimWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    if (int b = button_for(event->key()); b >= 0) {
        shell_button_up(b);
        refresh();
    }
}

void SimWindow::wheelEvent(QWheelEvent *event)
{
    shell_scroll(event->angleDelta().y() > 0 ? -1 : 1);
    refresh();
}
