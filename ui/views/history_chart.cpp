#include "ui/views/history_chart.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "ui/text/display_text.h"

namespace chronell {

namespace {

constexpr int kMargin = 6;
constexpr int kLegendSwatch = 10;
constexpr int kTickLength = 4;
constexpr double kMsPerHour = 3'600'000.0;

QString hoursText(std::uint64_t ms)
{
    return QString::number(static_cast<double>(ms) / kMsPerHour, 'f', 1) + QStringLiteral(" h");
}

// A round step of the hours axis that gives it about four ticks.
double hoursStep(double most)
{
    const double rough = std::max(most / 4.0, 0.1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * power) return factor * power;
    return 10.0 * power;
}

} // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumHeight(160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor HistoryChart::runnerColour(std::size_t runner)
{
    // Told apart also by those who confuse red and green.
    static constexpr std::array<QRgb, 8> colours{0x0072b2, 0xe69f00, 0x009e73, 0xcc79a7,
                                                 0x56b4e9, 0xd55e00, 0xf0e442, 0x555555};
    return QColor(colours[runner % colours.size()]);
}

void HistoryChart::setChart(report::PeriodChart chart)
{
    chart_ = std::move(chart);
    chosen_ = -1;
    hovered_ = -1;
    update();
}

int HistoryChart::legendHeight() const
{
    return fontMetrics().height() + 2 * kMargin;
}

QRect HistoryChart::plotRect() const
{
    const QFontMetrics metrics = fontMetrics();
    const int axisWidth = metrics.horizontalAdvance(QStringLiteral("0000 h")) + kTickLength + kMargin;
    return QRect(QPoint(axisWidth, legendHeight()),
                 QPoint(width() - kMargin - 1, height() - metrics.height() - kTickLength - kMargin - 1));
}

QRect HistoryChart::columnSlot(int column) const
{
    const QRect plot = plotRect();
    const int count = static_cast<int>(chart_.columns.size());
    if (column < 0 || column >= count || plot.width() <= 0) return {};
    const double slot = static_cast<double>(plot.width()) / count;
    const int left = plot.left() + static_cast<int>(std::floor(column * slot));
    const int right = plot.left() + static_cast<int>(std::floor((column + 1) * slot));
    return QRect(left, plot.top(), std::max(1, right - left), plot.height());
}

QRect HistoryChart::barRect(int column, std::size_t runner) const
{
    const QRect slot = columnSlot(column);
    if (slot.isEmpty() || chart_.mostBusyMs == 0) return {};
    const report::PeriodColumn& period = chart_.columns[static_cast<std::size_t>(column)];
    if (runner >= period.busyMs.size() || period.busyMs[runner] == 0) return {};
    // A gap between bars once they are wide enough to spare one.
    const int gap = slot.width() >= 4 ? std::max(1, slot.width() / 5) : 0;
    const double scale = slot.height() / static_cast<double>(chart_.mostBusyMs);
    std::uint64_t below = 0;
    for (std::size_t i = 0; i < runner; ++i) below += period.busyMs[i];
    const int bottom = slot.bottom() + 1 - static_cast<int>(std::lround(below * scale));
    const int top = slot.bottom() + 1 - static_cast<int>(std::lround((below + period.busyMs[runner]) * scale));
    return QRect(slot.left() + gap / 2, top, slot.width() - gap, std::max(1, bottom - top));
}

int HistoryChart::columnAt(QPoint pos) const
{
    const QRect plot = plotRect();
    const int count = static_cast<int>(chart_.columns.size());
    if (count == 0 || !plot.contains(pos)) return -1;
    const int column = static_cast<int>((pos.x() - plot.left()) * static_cast<double>(count) / plot.width());
    return std::clamp(column, 0, count - 1);
}

QString HistoryChart::columnText(int column) const
{
    if (column < 0 || column >= static_cast<int>(chart_.columns.size())) return {};
    const report::PeriodColumn& period = chart_.columns[static_cast<std::size_t>(column)];
    QStringList runners;
    for (std::size_t i = 0; i < chart_.runners.size(); ++i)
        if (period.busyMs[i] > 0) runners << displayText(chart_.runners[i]) + QLatin1Char(' ') + hoursText(period.busyMs[i]);
    const QString jobs = period.jobs == 1 ? QStringLiteral("1 job") : QStringLiteral("%1 jobs").arg(period.jobs);
    return QString::fromStdString(period.label) + QStringLiteral(": ")
           + (runners.isEmpty() ? QStringLiteral("no encoding") : runners.join(QStringLiteral(", ")))
           + QStringLiteral("; ") + jobs;
}

void HistoryChart::choose(int column)
{
    chosen_ = column >= 0 && column < static_cast<int>(chart_.columns.size()) ? column : -1;
    update();
    emit columnChosen(chosen_);
}

void HistoryChart::hover(int column)
{
    if (column == hovered_) return;
    hovered_ = column;
    update();
    emit columnHovered(column);
}

bool HistoryChart::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int column = columnAt(help->pos());
    if (column < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), columnText(column), this, columnSlot(column));
    return true;
}

void HistoryChart::mouseMoveEvent(QMouseEvent* event)
{
    hover(columnAt(event->position().toPoint()));
}

void HistoryChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int column = columnAt(event->position().toPoint());
    if (column >= 0) choose(column);
}

void HistoryChart::leaveEvent(QEvent* event)
{
    hover(-1);
    QWidget::leaveEvent(event);
}

void HistoryChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QRect plot = plotRect();
    if (plot.width() <= 0 || plot.height() <= 0) return;
    paintLegend(painter);
    paintColumns(painter);
    paintAxes(painter, plot);
}

void HistoryChart::paintLegend(QPainter& painter) const
{
    const QFontMetrics metrics = fontMetrics();
    int x = plotRect().left();
    const int y = kMargin;
    for (std::size_t i = 0; i < chart_.runners.size(); ++i) {
        const QString name = displayText(chart_.runners[i]);
        painter.fillRect(QRect(x, y + (metrics.height() - kLegendSwatch) / 2, kLegendSwatch, kLegendSwatch),
                         runnerColour(i));
        x += kLegendSwatch + 4;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPoint(x, y + metrics.ascent()), name);
        x += metrics.horizontalAdvance(name) + 3 * kMargin;
    }
}

void HistoryChart::paintColumns(QPainter& painter) const
{
    const QColor hoverColour = palette().color(QPalette::Highlight).lighter(185);
    for (int column = 0; column < static_cast<int>(chart_.columns.size()); ++column) {
        if (column == hovered_ || column == chosen_) painter.fillRect(columnSlot(column), hoverColour);
        for (std::size_t runner = 0; runner < chart_.runners.size(); ++runner)
            if (const QRect bar = barRect(column, runner); !bar.isEmpty())
                painter.fillRect(bar, runnerColour(runner));
    }
    if (chosen_ >= 0) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(columnSlot(chosen_).adjusted(1, 1, -1, -1));
    }
}

void HistoryChart::paintAxes(QPainter& painter, const QRect& plot) const
{
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    // Hours, in round steps up to the tallest column.
    const double most = static_cast<double>(chart_.mostBusyMs) / kMsPerHour;
    if (most > 0) {
        const double step = hoursStep(most);
        for (double hours = 0; hours <= most + 1e-9; hours += step) {
            const int y = plot.bottom() - static_cast<int>(std::lround(hours / most * plot.height()));
            painter.drawLine(plot.left() - kTickLength, y, plot.left(), y);
            const QString text = QString::number(hours, 'g', 4) + QStringLiteral(" h");
            const int textWidth = metrics.horizontalAdvance(text);
            painter.drawText(QPoint(plot.left() - kTickLength - 2 - textWidth, y + metrics.ascent() / 2), text);
        }
    }

    // The periods' names, as many as fit side by side.
    const int count = static_cast<int>(chart_.columns.size());
    if (count == 0) return;
    int widest = 0;
    for (const report::PeriodColumn& column : chart_.columns)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(column.label)));
    const double slot = static_cast<double>(plot.width()) / count;
    const int every = std::max(1, static_cast<int>(std::ceil((widest + 2 * kMargin) / slot)));
    const int baseline = plot.bottom() + kTickLength + metrics.ascent() + 1;
    for (int column = 0; column < count; column += every) {
        const QRect at = columnSlot(column);
        const QString label = QString::fromStdString(chart_.columns[static_cast<std::size_t>(column)].label);
        painter.drawLine(at.left(), plot.bottom(), at.left(), plot.bottom() + kTickLength);
        painter.drawText(QPoint(at.left(), baseline), label);
    }
}

} // namespace chronell
