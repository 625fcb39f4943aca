// The simulator's window: the shell's screen scaled up, the device's
// buttons on keys, and controls that attach and detach the remote iPod by
// rewriting the system root's bus listing.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>

class ScreenView : public QWidget {
public:
    explicit ScreenView(int scale, QWidget *parent = nullptr);
    void show_screen(const QImage &image);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage image_;
    int scale_;
};

class SimWindow : public QWidget {
    Q_OBJECT
public:
    SimWindow(const QString &root, int scale);

    // The remote iPod on or off the bus.
    void attach_remote();
    void detach_remote();
    // Lets time run for ms (real time is not waited for) and redraws.
    void run_for(int ms);
    void refresh();
    int rip_status() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void tick();
    void update_status();

    QString root_;
    ScreenView *view_;
    QLabel *status_;
    QLabel *zoom_; // the right end of the header, where the status icon sits
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ms_ = 0;
    qint64 last_draw_ = -1000;
};
