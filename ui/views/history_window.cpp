#include "ui/views/history_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/chronell_error.h"
#include "report/period_hours.h"
#include "ui/grid/grid_records.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/grid/results_order.h"
#include "ui/text/display_text.h"
#include "ui/views/history_chart.h"
#include "ui/views/result_views.h"
#include "ui/views/summary_window.h"
#include "ui/views/timeline_view.h"

namespace chronell {

namespace {

constexpr report::Period kPeriods[] = {report::Period::Day, report::Period::Week, report::Period::Month};
constexpr report::RecentSpan kSpans[] = {report::RecentSpan::Days7, report::RecentSpan::Days30,
                                         report::RecentSpan::Months12, report::RecentSpan::All};

template <typename Value, std::size_t N>
int indexOf(const Value (&values)[N], Value value)
{
    return static_cast<int>(std::find(std::begin(values), std::end(values), value) - std::begin(values));
}

bool sameJob(const JobRecord& a, const JobRecord& b)
{
    return a.twoPass == b.twoPass && a.startUtc == b.startUtc && a.name == b.name && a.jobFile == b.jobFile
           && a.input == b.input;
}

} // namespace

HistoryWindow::HistoryWindow(std::string historyFile, const RegionalSettings& settings, WallClock now,
                             std::function<bool()> formatted, QWidget* owner)
    : QWidget(owner, Qt::Window),
      store_(std::move(historyFile)),
      settings_(settings),
      now_(std::move(now)),
      formatted_(std::move(formatted)),
      periodBox_(new QComboBox(this)),
      rangeBox_(new QComboBox(this)),
      timelineButton_(new QPushButton(QStringLiteral("&Timeline"), this)),
      summaryButton_(new QPushButton(QStringLiteral("&Summary"), this)),
      message_(new QLabel(this)),
      chart_(new HistoryChart(this)),
      filterBox_(new QLineEdit(this)),
      grid_(new ResultsGridView(this))
{
    setWindowTitle(QStringLiteral("History"));
    setAttribute(Qt::WA_QuitOnClose, false);
    periodBox_->addItems({QStringLiteral("Hours per day"), QStringLiteral("Hours per week"),
                          QStringLiteral("Hours per month")});
    rangeBox_->addItems({QStringLiteral("Last 7 days"), QStringLiteral("Last 30 days"),
                         QStringLiteral("Last 12 months"), QStringLiteral("All")});
    rangeBox_->setCurrentIndex(indexOf(kSpans, report::RecentSpan::Days30));
    filterBox_->setPlaceholderText(QStringLiteral("Filter the period's jobs"));
    filterBox_->setClearButtonEnabled(true);
    message_->setTextFormat(Qt::PlainText);

    auto* controls = new QHBoxLayout;
    controls->addWidget(periodBox_);
    controls->addWidget(rangeBox_);
    controls->addStretch(1);
    controls->addWidget(timelineButton_);
    controls->addWidget(summaryButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(message_);
    layout->addWidget(chart_, 3);
    layout->addWidget(filterBox_);
    layout->addWidget(grid_, 2);
    resize(900, 640);

    views_ = std::make_unique<ResultViews>(*this, rangeRecords_, settings_, formatted_,
                                           [this](int row) { selectRangeRow(row); });
    connect(periodBox_, &QComboBox::currentIndexChanged, this, &HistoryWindow::refresh);
    connect(rangeBox_, &QComboBox::currentIndexChanged, this, &HistoryWindow::refresh);
    connect(chart_, &HistoryChart::columnHovered, this, &HistoryWindow::showHovered);
    connect(chart_, &HistoryChart::columnChosen, this, [this](int column) {
        const report::PeriodColumn* chosen =
            column >= 0 ? &chart_->chart().columns[static_cast<std::size_t>(column)] : nullptr;
        std::vector<JobRecord> jobs;
        if (chosen) {
            const history::HistoryRange shown = range();
            try {
                jobs = store_.read({shown.since ? std::max(chosen->start, *shown.since) : chosen->start, chosen->end});
            } catch (const ChronellError& error) {
                showError(displayText(error.what()));
            }
        }
        showRecords(*grid_->gridModel(), jobs, formatted_(), settings_);
        chartMessage_ = chosen ? chart_->columnText(column) : chartMessage_;
        message_->setText(chartMessage_);
    });
    connect(filterBox_, &QLineEdit::textChanged, grid_->order(), &ResultsOrder::setFilterText);
    connect(timelineButton_, &QPushButton::clicked, this, [this] {
        loadRangeRecords();
        views_->showTimeline();
    });
    connect(summaryButton_, &QPushButton::clicked, this, [this] {
        loadRangeRecords();
        views_->showSummary();
    });
}

// The Timeline and Summary go first, before the records they draw.
HistoryWindow::~HistoryWindow() = default;

report::Period HistoryWindow::period() const
{
    return kPeriods[std::clamp(periodBox_->currentIndex(), 0, static_cast<int>(std::size(kPeriods)) - 1)];
}

history::HistoryRange HistoryWindow::range() const
{
    const report::RecentSpan span =
        kSpans[std::clamp(rangeBox_->currentIndex(), 0, static_cast<int>(std::size(kSpans)) - 1)];
    return {report::recentSpanStart(span, now_()), std::nullopt};
}

void HistoryWindow::setPeriod(report::Period period)
{
    periodBox_->setCurrentIndex(indexOf(kPeriods, period));
}

void HistoryWindow::setRange(report::RecentSpan span)
{
    rangeBox_->setCurrentIndex(indexOf(kSpans, span));
}

void HistoryWindow::refresh()
{
    const history::HistoryRange shown = range();
    report::PeriodHoursBuilder hours(period());
    try {
        store_.forEachTimes(shown, [&hours](const JobRecord& record) { hours.add(record); });
    } catch (const ChronellError& error) {
        chart_->setChart({});
        showRecords(*grid_->gridModel(), {}, formatted_(), settings_);
        showError(displayText(error.what()));
        return;
    }
    const std::vector<report::PeriodHours> summed = hours.finish();
    // A recent range runs up to today, so that its quiet days show.
    chart_->setChart(report::periodChart(summed, period(), shown.since,
                                         shown.since ? std::optional<Instant>(now_()) : std::nullopt));
    std::error_code missing;
    if (summed.empty())
        chartMessage_ = !shown.since || !std::filesystem::exists(store_.path(), missing)
                            ? QStringLiteral("No history yet")
                            : QStringLiteral("No jobs in this range");
    else
        chartMessage_ = QStringLiteral("Click a period to list its jobs.");
    message_->setText(chartMessage_);
    chart_->choose(-1);  // the grid lists a period once it is clicked
    const auto shownNow = [](const QWidget* view) { return view && view->isVisible(); };
    if (shownNow(views_->timeline()) || shownNow(views_->summary())) {
        loadRangeRecords();
        views_->runEnded();
    }
}

void HistoryWindow::choosePeriod(int column)
{
    chart_->choose(column);
}

void HistoryWindow::loadRangeRecords()
{
    rangeRecords_.clear();
    try {
        for (JobRecord& record : store_.read(range())) rangeRecords_.add(std::move(record));
    } catch (const ChronellError& error) {
        showError(displayText(error.what()));
    }
}

void HistoryWindow::selectRangeRow(int row)
{
    const JobRecord* picked = rangeRecords_.ofRow(row);
    if (!picked || !picked->startUtc) return;
    const JobRecord job = *picked;
    const auto& columns = chart_->chart().columns;
    const auto holding = std::find_if(columns.begin(), columns.end(), [&job](const report::PeriodColumn& column) {
        return column.start <= *job.startUtc && *job.startUtc < column.end;
    });
    if (holding == columns.end()) return;
    choosePeriod(static_cast<int>(holding - columns.begin()));
    const std::vector<JobRecord>& listed = grid_->gridModel()->store().records().all();
    const auto same = std::find_if(listed.begin(), listed.end(), [&job](const JobRecord& r) { return sameJob(r, job); });
    if (same == listed.end()) return;
    const int shown = grid_->shownRowOf(same->row);
    if (shown < 1) return;
    grid_->selectRow(shown - 1);
    grid_->scrollTo(grid_->model()->index(shown - 1, 0));
}

void HistoryWindow::showHovered(int column)
{
    message_->setText(column >= 0 ? chart_->columnText(column) : chartMessage_);
}

void HistoryWindow::showError(const QString& text)
{
    chartMessage_ = text;
    message_->setText(text);
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void HistoryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace chronell
