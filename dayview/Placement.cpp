// SPDX-License-Identifier: MIT
#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QWidget>
#include <algorithm>

namespace helune {

namespace {

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }

// The window's position moved the least that keeps it within area; a window
// larger than the area keeps its top-left corner in it.
QPoint Within(QPoint at, QSize size, const QRect& area) {
    const int x = std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace

std::optional<QPoint> OnScreen(QPoint wanted, QSize size) {
    const QRect window(wanted, size);
    const QScreen* best = nullptr;
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int area = Area(screen->availableGeometry().intersected(window));
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (!best) return std::nullopt;
    return Within(wanted, size, best->availableGeometry());
}

namespace {

// A top-level window's move places its frame's top-left corner; the frame's
// size is the window's and the margins the window manager adds, known only
// once it has framed the window.
class Centring : public QObject {
public:
    explicit Centring(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
        dialog->installEventFilter(this);
        Centre(lastMargins_);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) Centre(Margins());
        if (event->type() == QEvent::Move && Margins() != used_) Centre(Margins());
        return false;
    }

private:
    QMargins Margins() const {
        const QWindow* window = dialog_->windowHandle();
        return window && window->isVisible() ? window->frameMargins() : lastMargins_;
    }

    void Centre(QMargins margins) {
        const QWidget* parent = dialog_->parentWidget();
        const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        used_ = margins;
        if (!margins.isNull()) lastMargins_ = margins;
        QRect frame(QPoint(), dialog_->size().grownBy(margins));
        frame.moveCenter(screen->availableGeometry().center());
        dialog_->move(frame.topLeft());
    }

    QWidget* dialog_;
    QMargins used_;
    static inline QMargins lastMargins_;
};

}  // namespace

void CentreOnScreen(QWidget* dialog) { new Centring(dialog); }

}  // namespace helune
