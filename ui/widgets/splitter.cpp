#include "ui/widgets/splitter.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace chronell {

namespace {

// The hatched line that shows where the splitter will end up during a drag.
class DragLine : public QWidget {
public:
    explicit DragLine(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QBrush(palette().color(QPalette::WindowText), Qt::Dense4Pattern));
    }
};

} // namespace

int splitterPressHeight(int currentHeight, int upperLimit)
{
    int height = currentHeight;
    if (height < kSplitterMinSize) height = kSplitterMinSize;
    if (height > upperLimit) height = upperLimit;
    return height;
}

int splitterDragHeight(int heightAtPress, int movedDown, int upperLimit)
{
    const int height = splitterPressHeight(heightAtPress - movedDown, upperLimit);
    return height == kSplitterMinSize ? 0 : height;
}

int splitterUpperLimit(int panelHeight, int splitterHeight)
{
    return panelHeight - kSplitterMinSize - splitterHeight;
}

Splitter::Splitter(QWidget* resized, QWidget* panel)
    : QWidget(panel), resized_(resized), dragLine_(new DragLine(panel)), keptHeight_(resized->height())
{
    setCursor(Qt::SizeVerCursor);
    setFocusPolicy(Qt::NoFocus);
    panel->installEventFilter(this);
}

void Splitter::cancelDrag()
{
    if (dragging_) endDrag();
}

void Splitter::keepHeight(int height)
{
    lastApplied_ = height;
    keptHeight_ = height;
    fitResized();
}

void Splitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !resized_->isVisible() || !resized_->isEnabled()) return;
    dragging_ = true;
    pressY_ = qRound(event->globalPosition().y());
    heightAtPress_ = resized_->height();
    newHeight_ = splitterPressHeight(heightAtPress_, splitterUpperLimit(parentWidget()->height(), height()));
    // Esc reaches the focused control, not the splitter: watch every key.
    qApp->installEventFilter(this);
    moveDragLine();
    dragLine_->show();
    dragLine_->raise();
}

void Splitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) return;
    const int movedDown = qRound(event->globalPosition().y()) - pressY_;
    newHeight_ = splitterDragHeight(heightAtPress_, movedDown, splitterUpperLimit(parentWidget()->height(), height()));
    moveDragLine();
}

void Splitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    endDrag();
    if (lastApplied_ == newHeight_) return;
    lastApplied_ = newHeight_;
    keptHeight_ = newHeight_;
    fitResized();
}

bool Splitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        fitResized();
        return false;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        endDrag();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Splitter::moveDragLine()
{
    const int bottom = resized_->geometry().bottom() + 1;
    dragLine_->setGeometry(x(), bottom - newHeight_ - height(), width(), height());
}

void Splitter::fitResized()
{
    const int room = std::max(0, parentWidget()->contentsRect().height() - height());
    const int shown = std::min(keptHeight_, room);
    if (resized_->height() == shown && resized_->minimumHeight() == shown) return;
    // The panel's layout keeps the log's bottom edge and gives the grid the rest.
    resized_->setFixedHeight(shown);
    if (QLayout* layout = parentWidget()->layout()) layout->activate();
}

void Splitter::endDrag()
{
    dragging_ = false;
    qApp->removeEventFilter(this);
    dragLine_->hide();
}

} // namespace chronell
