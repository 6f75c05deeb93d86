#pragma once
// The status colours' legend, drawn the same in the Timeline and above the
// results grid: a row of entries, each a swatch of the colour and its
// status text.
#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class QFontMetrics;
class QPainter;

namespace chronell {

struct LegendEntry {
    QColor swatch;
    QString text;
};

// Where each entry's swatch goes in a row that starts at `area`'s left,
// centred on its height.
std::vector<QRect> legendSwatches(const QFontMetrics& metrics, const QRect& area,
                                  const std::vector<LegendEntry>& entries);
// How wide the row of `entries` is.
int legendWidth(const QFontMetrics& metrics, const std::vector<LegendEntry>& entries);

// Paints the row in the painter's font, the texts in `textColour`, each
// swatch outlined in it so that a pale swatch shows on any background;
// entries that do not fit whole in `area` are left out. Returns the x
// where the row ends.
int paintStatusLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries,
                      const QColor& textColour);

// The legend as a widget of its own, in the palette's window text; its
// tooltip names every entry, those a narrow window leaves out too.
class StatusLegend : public QWidget {
    Q_OBJECT

public:
    explicit StatusLegend(QWidget* parent = nullptr);

    void setEntries(std::vector<LegendEntry> entries);
    const std::vector<LegendEntry>& entries() const { return entries_; }
    // Where the entries' swatches are painted.
    std::vector<QRect> swatchRects() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect rowRect() const;

    std::vector<LegendEntry> entries_;
};

} // namespace chronell
