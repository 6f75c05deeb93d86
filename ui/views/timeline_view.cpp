#include "ui/views/timeline_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "analysis/regional_settings.h"
#include "report/local_instant.h"
#include "ui/grid/coloured_status.h"
#include "ui/text/display_text.h"
#include "ui/widgets/status_legend.h"

namespace chronell {

namespace {

constexpr int kAxisHeight = 28;
constexpr int kLegendHeight = 28;
constexpr int kRightMargin = 12;
constexpr int kMaxLaneHeight = 48;
constexpr int kPadding = 6;
constexpr int kMinLabelWidth = 60;
constexpr int kMaxLabelWidth = 200;
constexpr int kLegendSpacing = 24;  // between the legend and the job count
constexpr double kSmallestSpanMs = 1000;
constexpr double kZoomStep = 1.25;  // per notch of the wheel
constexpr double kWidestRuns = 100;  // the widest view, in spans of the run
constexpr double kHitReach = 2;  // pixels around a bar that still hit it
constexpr double kNameInset = 3;  // pixels between a bar's edge and its name
constexpr double kMinNameWidth = 24;  // a bar narrower than this shows no name
constexpr double kOpenEnd = 6;  // the arrow head of a running job's bar
constexpr int kRunningRedrawMs = 1000;

const QColor kLaneStripe(0xF3, 0xF5, 0xF7);
const QColor kTickLine(0xC8, 0xCC, 0xD0);
const QColor kAxisText(0x37, 0x47, 0x4F);
const QColor kPairLine(0x26, 0x32, 0x38);
const QColor kFoldBand(0xEC, 0xEF, 0xF1);
const QColor kFoldMark(0x78, 0x90, 0x9C);

} // namespace

TimelineView::TimelineView(const RegionalSettings& settings, std::function<void(int row)> selectRow, WallClock now,
                           QWidget* owner)
    : QWidget(owner, Qt::Window), settings_(settings), selectRow_(std::move(selectRow)), now_(std::move(now)),
      runningTimer_(new QTimer(this)), lanesBar_(new QScrollBar(Qt::Vertical, this))
{
    runningTimer_->setInterval(kRunningRedrawMs);
    connect(runningTimer_, &QTimer::timeout, this, [this] {
        if (isVisible()) redrawRunning();
    });
    lanesBar_->hide();
    connect(lanesBar_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setWindowTitle(QStringLiteral("Timeline"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(900, 480);
}

void TimelineView::setRecords(const std::vector<JobRecord>& records, bool formatted)
{
    records_ = &records;
    timeline_ = report::buildTimeline(records, timeNow());
    formatted_ = formatted;
    drawnFor_.reset();
    if (showsRunning())
        runningTimer_->start();
    else
        runningTimer_->stop();

    std::vector<ColouredStatus> statuses;
    barColours_.clear();
    barColours_.reserve(timeline_.bars.size());
    for (const report::TimelineBar& bar : timeline_.bars) {
        const ColouredStatus status = colouredStatusOf(bar.record->state);
        if (std::find(statuses.begin(), statuses.end(), status) == statuses.end()) statuses.push_back(status);
        barColours_.push_back(fullColour(status));
    }
    legend_.clear();
    for (const ColouredStatus& status : inLegendOrder(statuses))
        legend_.push_back({fullColour(status), legendText(status)});

    ensurePolished();  // the font that paints the names measures them
    int widest = 0;
    for (const std::string& lane : timeline_.lanes)
        widest = std::max(widest, fontMetrics().horizontalAdvance(displayText(lane)));
    labelWidth_ = std::clamp(widest + 2 * kPadding + 2, kMinLabelWidth, kMaxLabelWidth);  // 2: rounding of the text widths
    fit();
}

void TimelineView::clear()
{
    timeline_ = {};
    records_ = nullptr;
    runningTimer_->stop();
    drawnFor_.reset();
    drawn_.clear();
    barColours_.clear();
    legend_.clear();
    update();
}

std::optional<Instant> TimelineView::timeNow() const
{
    return now_ ? std::optional<Instant>(now_()) : std::nullopt;
}

bool TimelineView::showsRunning() const
{
    return std::any_of(timeline_.bars.begin(), timeline_.bars.end(),
                       [](const report::TimelineBar& bar) { return bar.open; });
}

void TimelineView::redrawRunning()
{
    if (!records_ || !showsRunning()) return;
    // Folds may change as the running bars grow: the view keeps its instants.
    const Instant from = timeline_.axis.instantAt(viewFrom_);
    const Instant to = timeline_.axis.instantAt(viewTo_);
    timeline_ = report::buildTimeline(*records_, timeNow());
    drawnFor_.reset();
    viewFrom_ = timeline_.axis.position(from);
    viewTo_ = timeline_.axis.position(to);
    update();
}

void TimelineView::fit()
{
    placeLanesBar();
    lanesBar_->setValue(0);
    const auto [from, to] = report::fittedView(timeline_);
    setView(from, to);
}

QRect TimelineView::plotRect() const
{
    const int right = kRightMargin + (lanesBar_->isVisibleTo(this) ? lanesBar_->sizeHint().width() : 0);
    return QRect(labelWidth_, kAxisHeight, std::max(1, width() - labelWidth_ - right),
                 std::max(1, height() - kAxisHeight - kLegendHeight));
}

int TimelineView::laneHeight() const
{
    // High enough for a lane's name; lanes that do not fit then scroll.
    const int lanes = std::max<int>(1, static_cast<int>(timeline_.lanes.size()));
    const int lowest = fontMetrics().height() + 2;
    return std::clamp(plotRect().height() / lanes, lowest, std::max(lowest, kMaxLaneHeight));
}

int TimelineView::laneTop(std::size_t lane) const
{
    return plotRect().top() + static_cast<int>(lane) * laneHeight() - lanesBar_->value();
}

double TimelineView::xOf(Instant instant) const
{
    const QRect plot = plotRect();
    return plot.left() + (timeline_.axis.position(instant) - viewFrom_) / (viewTo_ - viewFrom_) * plot.width();
}

double TimelineView::positionAt(double x) const
{
    const QRect plot = plotRect();
    return viewFrom_ + (x - plot.left()) / plot.width() * (viewTo_ - viewFrom_);
}

void TimelineView::setView(double from, double to)
{
    // Never narrower than a second, never much wider than the run.
    double widest = kWidestRuns * kSmallestSpanMs;
    if (timeline_.from && timeline_.to)
        widest = kWidestRuns * std::max(timeline_.axis.position(*timeline_.to) - timeline_.axis.position(*timeline_.from),
                                        kSmallestSpanMs);
    const double middle = (from + to) / 2;
    const double span = std::clamp(to - from, kSmallestSpanMs, widest);
    viewFrom_ = middle - span / 2;
    viewTo_ = middle + span / 2;
    update();
}

void TimelineView::placeLanesBar()
{
    const QRect plot = plotRect();
    const int content = static_cast<int>(timeline_.lanes.size()) * laneHeight();
    lanesBar_->setRange(0, std::max(0, content - plot.height()));
    lanesBar_->setPageStep(plot.height());
    lanesBar_->setSingleStep(laneHeight());
    const int barWidth = lanesBar_->sizeHint().width();
    lanesBar_->setGeometry(width() - barWidth, plot.top(), barWidth, plot.height());
    lanesBar_->setVisible(lanesBar_->maximum() > 0);
}

void TimelineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLanesBar();
}

const std::vector<report::DrawnBar>& TimelineView::drawn() const
{
    const double width = plotRect().width();
    const std::array<double, 3> key{viewFrom_, viewTo_, width};
    if (drawnFor_ != key) {
        drawn_ = report::drawnBars(timeline_, viewFrom_, viewTo_, width);
        drawnFor_ = key;
    }
    return drawn_;
}

const report::DrawnBar* TimelineView::barAt(QPoint pos) const
{
    const QRect plot = plotRect();
    if (!plot.contains(pos) || timeline_.lanes.empty()) return nullptr;
    const auto lane = static_cast<std::size_t>((pos.y() - plot.top() + lanesBar_->value()) / laneHeight());
    const std::vector<report::DrawnBar>& bars = drawn();
    // The drawn bars come by lane, then from left to right.
    auto at = std::lower_bound(bars.begin(), bars.end(), lane,
                               [](const report::DrawnBar& bar, std::size_t l) { return bar.lane < l; });
    const double x = pos.x() - plot.left();
    const report::DrawnBar* nearest = nullptr;
    double nearestDistance = kHitReach;
    for (; at != bars.end() && at->lane == lane && at->x0 <= x + kHitReach; ++at) {
        const double distance = std::max({0.0, at->x0 - x, x - std::max(at->x1, at->x0 + 1)});
        if (distance <= nearestDistance) {
            nearest = &*at;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QString TimelineView::tooltipOf(const report::DrawnBar& bar) const
{
    return displayText(report::drawnBarTooltip(timeline_, bar, formatted_, settings_));
}

bool TimelineView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    if (const report::DrawnBar* bar = barAt(help->pos()))
        QToolTip::showText(help->globalPos(), tooltipOf(*bar), this);
    else
        QToolTip::hideText();
    return true;
}

void TimelineView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    // The time under the cursor stays where it is.
    const QRect plot = plotRect();
    const double x = std::clamp(event->position().x(), static_cast<double>(plot.left()),
                                static_cast<double>(plot.right()));
    const double anchor = positionAt(x);
    const double scale = std::pow(kZoomStep, -notches);
    setView(anchor - (anchor - viewFrom_) * scale, anchor + (viewTo_ - anchor) * scale);
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = true;
    dragging_ = false;
    pressAt_ = lastDragAt_ = event->position().toPoint();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_) return QWidget::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
    dragging_ = true;
    const QPoint moved = at - lastDragAt_;
    lastDragAt_ = at;
    const double shift = moved.x() * (viewTo_ - viewFrom_) / plotRect().width();
    setView(viewFrom_ - shift, viewTo_ - shift);
    lanesBar_->setValue(lanesBar_->value() - moved.y());
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    if (dragging_) return;
    // A merged bar gives its first job.
    if (const report::DrawnBar* bar = barAt(event->position().toPoint()))
        selectRow_(timeline_.bars[bar->firstBar].record->row);
}

void TimelineView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() != Qt::Key_Home) return QWidget::keyPressEvent(event);
    fit();
}

void TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintLanes(painter);
    if (!timeline_.bars.empty()) {
        paintFolds(painter);
        paintAxis(painter);
        painter.save();
        painter.setClipRect(plotRect());
        paintBars(painter);
        paintPairs(painter);
        painter.restore();
    }
    paintLegend(painter);
}

void TimelineView::paintLanes(QPainter& painter) const
{
    const QRect plot = plotRect();
    const int height = laneHeight();
    const QFontMetrics metrics = fontMetrics();
    painter.save();
    painter.setClipRect(0, plot.top(), width(), plot.height());
    painter.setPen(Qt::black);
    for (std::size_t lane = 0; lane < timeline_.lanes.size(); ++lane) {
        const int top = laneTop(lane);
        if (top + height < plot.top()) continue;
        if (top > plot.bottom()) break;
        if (lane % 2 == 1) painter.fillRect(0, top, width(), height, kLaneStripe);
        const QString name = metrics.elidedText(displayText(timeline_.lanes[lane]), Qt::ElideRight,
                                                labelWidth_ - 2 * kPadding);
        painter.drawText(QRect(kPadding, top, labelWidth_ - 2 * kPadding, height), Qt::AlignVCenter, name);
    }
    painter.restore();
}

void TimelineView::paintFolds(QPainter& painter) const
{
    // A folded idle stretch: a pale band across the lanes, a break mark on the axis at each side.
    const QRect plot = plotRect();
    const int lanesBottom = std::min(plot.bottom(), laneTop(timeline_.lanes.size()));
    painter.save();
    painter.setClipRect(plot.left(), 0, plot.width(), height());
    painter.setPen(QPen(kFoldMark, 1.5));
    for (const report::AxisFold& fold : timeline_.axis.folds()) {
        const double x0 = xOf(fold.from);
        const double x1 = xOf(fold.to);
        if (x1 < plot.left() || x0 > plot.right()) continue;
        painter.fillRect(QRectF(x0, plot.top(), x1 - x0, lanesBottom - plot.top()), kFoldBand);
        for (const double x : {x0, x1}) painter.drawLine(QPointF(x - 3, kAxisHeight + 2), QPointF(x + 3, kAxisHeight - 8));
    }
    painter.restore();
}

void TimelineView::paintAxis(QPainter& painter) const
{
    const QRect plot = plotRect();
    const int lanesBottom = std::min(plot.bottom(), laneTop(timeline_.lanes.size()));
    const QFontMetrics metrics = fontMetrics();
    const auto textWidth = [&metrics](const std::string& text) {
        return static_cast<double>(metrics.horizontalAdvance(displayText(text)));
    };
    const auto ticks = report::axisTicks(timeline_.axis, viewFrom_, viewTo_, plot.width(), settings_, textWidth);
    for (const report::AxisTick& tick : ticks) {
        const double x = plot.left() + tick.x;
        painter.setPen(kTickLine);
        painter.drawLine(QPointF(x, kAxisHeight - 6), QPointF(x, lanesBottom));
        painter.setPen(kAxisText);
        const QString label = displayText(tick.label);
        const double width = metrics.horizontalAdvance(label) + 2;
        painter.drawText(QRectF(x - width / 2, 0, width, kAxisHeight - 8), Qt::AlignHCenter | Qt::AlignBottom, label);
    }
}

void TimelineView::paintBars(QPainter& painter) const
{
    const QRect plot = plotRect();
    const int height = laneHeight();
    const int inset = std::max(1, height / 6);
    for (const report::DrawnBar& bar : drawn()) {
        const int top = laneTop(bar.lane);
        if (top + height < plot.top() || top > plot.bottom()) continue;
        const QRectF box(plot.left() + bar.x0, top + inset, std::max(1.0, bar.x1 - bar.x0), height - 2 * inset);
        painter.fillRect(box, barColours_[bar.firstBar]);
        if (bar.count != 1) continue;
        if (timeline_.bars[bar.firstBar].open) {
            QColor head = barColours_[bar.firstBar];
            head.setAlphaF(0.6);
            const QPointF tip(box.right() + kOpenEnd, box.center().y());
            painter.setPen(Qt::NoPen);
            painter.setBrush(head);
            painter.drawPolygon(QPolygonF({box.topRight(), tip, box.bottomRight()}));
            painter.setBrush(Qt::NoBrush);
        }
        const JobRecord& record = *timeline_.bars[bar.firstBar].record;
        // The job's name inside its bar, where a few letters of it fit.
        const QRectF textBox = box.adjusted(kNameInset, 0, -kNameInset, 0);
        if (textBox.width() >= kMinNameWidth && textBox.height() >= painter.fontMetrics().height()) {
            const QString name = painter.fontMetrics().elidedText(displayText(record.name), Qt::ElideRight,
                                                                  static_cast<int>(textBox.width()));
            painter.setPen(Qt::white);
            painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
        }
        if (selectedRow_ != 0 && record.row == selectedRow_) {
            painter.setPen(QPen(kPairLine, 2));
            painter.drawRect(box.adjusted(-1, -1, 1, 1));
        }
    }
}

void TimelineView::setSelectedRow(int row)
{
    if (row == selectedRow_) return;
    selectedRow_ = row;
    update();
}

void TimelineView::paintPairs(QPainter& painter) const
{
    // The end of the first job joined to the start of the second, where
    // both are drawn as bars of their own.
    std::vector<bool> single(timeline_.bars.size(), false);
    for (const report::DrawnBar& bar : drawn())
        if (bar.count == 1) single[bar.firstBar] = true;
    const double halfLane = laneHeight() / 2.0;
    painter.setPen(QPen(kPairLine, 1.5));
    for (const report::TimelinePair& pair : timeline_.pairs) {
        if (!single[pair.first] || !single[pair.second]) continue;
        const report::TimelineBar& first = timeline_.bars[pair.first];
        const report::TimelineBar& second = timeline_.bars[pair.second];
        painter.drawLine(QPointF(xOf(first.end), laneTop(first.lane) + halfLane),
                         QPointF(xOf(second.start), laneTop(second.lane) + halfLane));
    }
}

void TimelineView::paintLegend(QPainter& painter) const
{
    const QRect area = legendRect();
    painter.fillRect(0, area.top(), width(), area.height(), Qt::white);
    const int x = paintStatusLegend(painter, area, legend_, Qt::black) + kLegendSpacing;
    painter.setPen(kAxisText);
    const QString count = timeline_.bars.empty() ? QStringLiteral("No job with start and end times.")
                                                 : QStringLiteral("%1 jobs").arg(timeline_.bars.size());
    painter.drawText(QRect(x, area.top(), std::max(0, area.right() - x), area.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, count);
}

QRect TimelineView::legendRect() const
{
    return QRect(kPadding, height() - kLegendHeight, std::max(0, width() - 2 * kPadding), kLegendHeight);
}

} // namespace chronell
