#include "analysis/date_time_text.h"

#include <cstddef>
#include <cstring>

#include "analysis/duration.h"
#include "analysis/regional_settings.h"
#include "platform/ascii.h"

namespace chronell {

namespace {

bool isQuote(char c) { return c == '"' || c == '\''; }

// Case-insensitive test whether `picture` has `word` at `pos`.
bool startsWithWord(std::string_view picture, std::size_t pos, std::string_view word)
{
    if (picture.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upperAscii(picture[pos + i]) != word[i]) return false;
    return true;
}

// Position after the quoted text that opens at `pos` (to the end when unclosed).
std::size_t afterQuoted(std::string_view picture, std::size_t pos)
{
    const std::size_t close = picture.find(picture[pos], pos + 1);
    return close == std::string_view::npos ? picture.size() : close + 1;
}

// Whether an hour element at `pos` reads a 12-hour clock by looking ahead:
// past quoted text, the first a or A before any further h must start an
// AM/PM element.
bool amPmAhead(std::string_view picture, std::size_t pos)
{
    for (std::size_t i = pos; i < picture.size();) {
        const char c = upperAscii(picture[i]);
        if (isQuote(c)) {
            i = afterQuoted(picture, i);
            continue;
        }
        if (c == 'H') return false;
        if (c == 'A')
            return startsWithWord(picture, i, "AMPM") || startsWithWord(picture, i, "AM/PM") ||
                   startsWithWord(picture, i, "A/P");
        ++i;
    }
    return false;
}

} // namespace

// Elements: d dd ddd dddd, m mm (minutes right after an hour letter), mmm
// mmmm+, y yy yyy+, h hh+, s ss+, AMPM AM/PM A/P, / :, quoted text. Runs of
// a letter count in either case. We have no era calendars: g and e, like
// every other character, are copied unchanged.
DateTimePicture::DateTimePicture(std::string_view picture)
{
    using Kind = Element::Kind;
    const auto add = [this](Kind kind, unsigned width = 0) { elements_.push_back({kind, width, {}, 0}); };
    const auto addText = [this](std::string_view text) {
        if (text.empty()) return;
        if (elements_.empty() || elements_.back().kind != Kind::Text) elements_.push_back({Kind::Text, 0, {}, 0});
        elements_.back().text.append(text);
    };
    char lastLetter = '\0';  // the last picture letter met, quoted text aside
    bool amPmSeen = false;

    for (std::size_t pos = 0; pos < picture.size();) {
        const char c = picture[pos];
        if (isQuote(c)) {
            // Copied without the quotes; an unclosed quote runs to the end.
            const std::size_t close = picture.find(c, pos + 1);
            const std::size_t stop = close == std::string_view::npos ? picture.size() : close;
            addText(picture.substr(pos + 1, stop - pos - 1));
            pos = afterQuoted(picture, pos);
            continue;
        }
        if (c == '/' || c == ':') {
            add(c == '/' ? Kind::DateSeparator : Kind::TimeSeparator);
            ++pos;
            continue;
        }
        if (!isAsciiLetter(c)) {
            addText(picture.substr(pos, 1));
            ++pos;
            continue;
        }

        const char letter = upperAscii(c);
        if (letter == 'A') {
            // The designators: AMPM from the settings, AM/PM and A/P as written.
            if (startsWithWord(picture, pos, "AMPM")) {
                add(Kind::Designator);
                pos += 4;
            } else if (startsWithWord(picture, pos, "AM/PM")) {
                elements_.push_back({Kind::WrittenAmPm, 0, std::string(picture.substr(pos, 2)).append(picture.substr(pos + 3, 2)), 2});
                pos += 5;
            } else if (startsWithWord(picture, pos, "A/P")) {
                elements_.push_back({Kind::WrittenAmPm, 0, {picture[pos], picture[pos + 2]}, 1});
                pos += 3;
            } else {
                addText(picture.substr(pos, 1));
                lastLetter = letter;
                ++pos;
                continue;
            }
            amPmSeen = true;
            lastLetter = letter;
            continue;
        }

        std::size_t run = 1;
        while (pos + run < picture.size() && upperAscii(picture[pos + run]) == letter) ++run;
        const std::size_t next = pos + run;
        const auto width = static_cast<unsigned>(run);

        switch (letter) {
        case 'D':
            if (run <= 2) add(Kind::Day, width);
            else add(run == 3 ? Kind::ShortDayName : Kind::LongDayName);
            break;
        case 'M':
            if (run <= 2) add(lastLetter == 'H' ? Kind::Minute : Kind::Month, width);
            else add(run == 3 ? Kind::ShortMonthName : Kind::LongMonthName);
            break;
        case 'Y':
            add(run <= 2 ? Kind::Year2 : Kind::Year4);
            break;
        case 'H':
            add(amPmSeen || amPmAhead(picture, next) ? Kind::Hour12 : Kind::Hour, run >= 2 ? 2 : 1);
            break;
        case 'S':
            add(Kind::Second, run >= 2 ? 2 : 1);
            break;
        default:
            addText(picture.substr(pos, run));
            break;
        }
        lastLetter = letter;
        pos = next;
    }
}

namespace {

// A text's bytes gathered on the stack and appended to a string at once:
// most picture elements are a byte or two.
class GatheredText {
public:
    explicit GatheredText(std::string& text) : text_(text) {}

    void put(char c)
    {
        if (size_ == sizeof bytes_) flush();
        bytes_[size_++] = c;
    }
    void put(std::string_view bytes)
    {
        if (bytes.size() > sizeof bytes_ - size_) {
            flush();
            if (bytes.size() > sizeof bytes_) {
                text_.append(bytes);
                return;
            }
        }
        std::memcpy(bytes_ + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    // As appendZeroPadded writes it.
    void number(int value, unsigned width)
    {
        const auto digits = static_cast<std::uint32_t>(value);
        if (digits < 100 && width <= 2) {
            if (digits >= 10 || width == 2) put(static_cast<char>('0' + digits / 10));
            put(static_cast<char>('0' + digits % 10));
            return;
        }
        flush();
        appendZeroPadded(text_, digits, width);
    }
    void flush()
    {
        text_.append(bytes_, size_);
        size_ = 0;
    }

private:
    std::string& text_;
    char bytes_[64];
    std::size_t size_ = 0;
};

} // namespace

void DateTimePicture::append(std::string& text, const DecodedDateTime& t, const RegionalSettings& settings) const
{
    using Kind = Element::Kind;
    const bool pm = t.hour >= 12;
    GatheredText out(text);
    const auto separator = [&out](char c) {
        if (c != '\0') out.put(c);  // a NUL separator writes nothing
    };
    for (const Element& element : elements_) {
        switch (element.kind) {
        case Kind::Text: out.put(element.text); break;
        case Kind::DateSeparator: separator(settings.dateSeparator); break;
        case Kind::TimeSeparator: separator(settings.timeSeparator); break;
        case Kind::Day: out.number(t.day, element.width); break;
        case Kind::ShortDayName: out.put(settings.shortDayNames[static_cast<std::size_t>(t.dayOfWeek)]); break;
        case Kind::LongDayName: out.put(settings.longDayNames[static_cast<std::size_t>(t.dayOfWeek)]); break;
        case Kind::Month: out.number(t.month, element.width); break;
        case Kind::Minute: out.number(t.minute, element.width); break;
        case Kind::ShortMonthName: out.put(settings.shortMonthNames[static_cast<std::size_t>(t.month - 1)]); break;
        case Kind::LongMonthName: out.put(settings.longMonthNames[static_cast<std::size_t>(t.month - 1)]); break;
        case Kind::Year2: out.number(t.year % 100, 2); break;
        case Kind::Year4: out.number(t.year, 4); break;
        case Kind::Hour: out.number(t.hour, element.width); break;
        case Kind::Hour12: out.number(t.hour == 0 ? 12 : t.hour > 12 ? t.hour - 12 : t.hour, element.width); break;
        case Kind::Second: out.number(t.second, element.width); break;
        case Kind::Designator: out.put(pm ? settings.pmDesignator : settings.amDesignator); break;
        case Kind::WrittenAmPm: {
            const std::string_view both = element.text;
            out.put(pm ? both.substr(element.amSize) : both.substr(0, element.amSize));
            break;
        }
        }
    }
    out.flush();
}

DateTimeTexts::DateTimeTexts(const RegionalSettings& settings)
    : settings_(settings), date_(settings.shortDatePicture), time_(settings.longTimePicture)
{
}

void DateTimeTexts::append(std::string& text, TDateTime value) const
{
    const DecodedDateTime t = decodeDateTime(value);
    date_.append(text, t, settings_);
    // Milliseconds never show and do not count.
    if (t.hour != 0 || t.minute != 0 || t.second != 0) {
        text += ' ';
        time_.append(text, t, settings_);
    }
}

std::string formatDateTime(std::string_view picture, TDateTime value, const RegionalSettings& settings)
{
    std::string text;
    DateTimePicture(picture).append(text, decodeDateTime(value), settings);
    return text;
}

void appendDateTimeText(std::string& text, TDateTime value, const RegionalSettings& settings)
{
    DateTimeTexts(settings).append(text, value);
}

std::string dateTimeText(TDateTime value, const RegionalSettings& settings)
{
    std::string text;
    appendDateTimeText(text, value, settings);
    return text;
}

} // namespace chronell
