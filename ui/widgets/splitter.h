#pragma once
// The bar between the results grid and the log: dragging it sets the log's
// height, within limits, when the mouse button is released. A panel too
// low for that height shows the log lower, so that its bottom edge and
// scroll bar stay in view; it gets its height back when the panel grows.
#include <QWidget>

#include <optional>

namespace chronell {

// The smallest height a drag leaves the log, unless it collapses it to 0.
inline constexpr int kSplitterMinSize = 30;

// The log's height given at the press: its current height raised to the
// minimum and then lowered to the upper limit.
int splitterPressHeight(int currentHeight, int upperLimit);

// The log's height for the mouse `movedDown` pixels below the press: the
// height at the press less that distance, kept within the minimum and the
// upper limit; a result of exactly the minimum collapses the log to 0.
int splitterDragHeight(int heightAtPress, int movedDown, int upperLimit);

// The tallest log: the panel's height less the minimum left to the grid and
// the splitter's own height.
int splitterUpperLimit(int panelHeight, int splitterHeight);

class Splitter : public QWidget {
    Q_OBJECT

public:
    // `resized` is the control below the splitter, in the same panel, which
    // lays it out at the bottom with its fixed height; its height now is
    // the height the splitter keeps for it.
    Splitter(QWidget* resized, QWidget* panel);

    // Ends a drag in progress with no change, as Esc does: for a box that
    // opens while the button is held.
    void cancelDrag();

    // Gives the control below `height`, as a drag released there would.
    void keepHeight(int height);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveDragLine();
    void endDrag();
    // Gives the resized control its height, or the panel's room below the
    // splitter where that is less.
    void fitResized();

    QWidget* resized_;
    QWidget* dragLine_;
    bool dragging_ = false;
    int pressY_ = 0;
    int heightAtPress_ = 0;
    int newHeight_ = 0;
    int keptHeight_;
    std::optional<int> lastApplied_;
};

} // namespace chronell
