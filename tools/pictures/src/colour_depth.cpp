#include "colour_depth.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

// Pixels at least this opaque are kept, in full, where a picture can only say
// opaque or transparent.
constexpr int kOpaqueFrom = 128;

struct Weighted {
    QRgb colour;
    long count;
};

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

int channelRange(const std::vector<Weighted> &colours, int which)
{
    const auto [low, high] = std::minmax_element(
        colours.begin(), colours.end(),
        [which](const Weighted &a, const Weighted &b) { return channel(a.colour, which) < channel(b.colour, which); });
    return channel(high->colour, which) - channel(low->colour, which);
}

// A group of similar colours of the median cut.
struct Box {
    std::vector<Weighted> colours;

    int widestChannel() const
    {
        int widest = 0;
        for (int which = 1; which < 3; ++which) {
            if (channelRange(colours, which) > channelRange(colours, widest))
                widest = which;
        }
        return widest;
    }

    int range() const { return channelRange(colours, widestChannel()); }

    QRgb average() const
    {
        std::array<double, 3> sum{};
        double total = 0;
        for (const Weighted &w : colours) {
            for (int which = 0; which < 3; ++which)
                sum[which] += double(channel(w.colour, which)) * w.count;
            total += w.count;
        }
        return qRgb(int(sum[0] / total + 0.5), int(sum[1] / total + 0.5), int(sum[2] / total + 0.5));
    }
};

// Splits the box at the colour that halves its pixels along its widest channel.
std::pair<Box, Box> split(Box box)
{
    const int which = box.widestChannel();
    std::sort(box.colours.begin(), box.colours.end(), [which](const Weighted &a, const Weighted &b) {
        const int ca = channel(a.colour, which);
        const int cb = channel(b.colour, which);
        return ca != cb ? ca < cb : a.colour < b.colour;
    });
    long total = 0;
    for (const Weighted &w : box.colours)
        total += w.count;
    long seen = 0;
    std::size_t cut = 1;
    for (; cut < box.colours.size() - 1; ++cut) {
        seen += box.colours[cut - 1].count;
        if (2 * seen >= total)
            break;
    }
    Box low{{box.colours.begin(), box.colours.begin() + long(cut)}};
    Box high{{box.colours.begin() + long(cut), box.colours.end()}};
    return {std::move(low), std::move(high)};
}

// At most `size` colours standing for all the opaque colours of the histogram:
// the colours themselves when they are few enough, else a median cut.
std::vector<QRgb> choosePalette(const std::map<QRgb, long> &histogram, int size)
{
    std::vector<QRgb> palette;
    if (int(histogram.size()) <= size) {
        for (const auto &[colour, count] : histogram)
            palette.push_back(colour);
        return palette;
    }
    std::vector<Box> boxes(1);
    for (const auto &[colour, count] : histogram)
        boxes.front().colours.push_back({colour, count});
    while (int(boxes.size()) < size) {
        auto widest = boxes.end();
        for (auto box = boxes.begin(); box != boxes.end(); ++box) {
            if (box->colours.size() > 1 && (widest == boxes.end() || box->range() > widest->range()))
                widest = box;
        }
        if (widest == boxes.end())
            break;
        auto [low, high] = split(std::move(*widest));
        *widest = std::move(low);
        boxes.push_back(std::move(high));
    }
    for (const Box &box : boxes)
        palette.push_back(box.average());
    return palette;
}

int nearest(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

bool isOpaque(QRgb colour)
{
    return qAlpha(colour) >= kOpaqueFrom;
}

QImage indexed(const QImage &straight, int colours)
{
    std::map<QRgb, long> histogram;
    bool anyTransparent = false;
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb colour = straight.pixel(x, y);
            if (isOpaque(colour))
                ++histogram[qRgb(qRed(colour), qGreen(colour), qBlue(colour))];
            else
                anyTransparent = true;
        }
    }
    // The transparent entry, when there is one, comes first.
    const int first = anyTransparent ? 1 : 0;
    const std::vector<QRgb> palette = choosePalette(histogram, colours - first);

    QImage result(straight.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    if (anyTransparent)
        table.push_back(qRgba(0, 0, 0, 0));
    table.append(QList<QRgb>(palette.begin(), palette.end()));
    result.setColorTable(table);

    std::map<QRgb, int> chosen;
    for (int y = 0; y < straight.height(); ++y) {
        uchar *line = result.scanLine(y);
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb colour = straight.pixel(x, y);
            if (!isOpaque(colour)) {
                line[x] = 0;
                continue;
            }
            const QRgb key = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
            auto found = chosen.find(key);
            if (found == chosen.end())
                found = chosen.emplace(key, first + nearest(palette, key)).first;
            line[x] = uchar(found->second);
        }
    }
    return result;
}

QImage masked(QImage straight)
{
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb colour = straight.pixel(x, y);
            straight.setPixel(x, y, isOpaque(colour) ? qRgb(qRed(colour), qGreen(colour), qBlue(colour))
                                                     : qRgba(0, 0, 0, 0));
        }
    }
    return straight;
}

QImage opaque(const QImage &straight)
{
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(straight.pixel(x, y)) != 255)
                throw std::runtime_error("a picture without transparency has a transparent pixel");
        }
    }
    return straight.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

QImage reduceToDepth(const QImage &canvas, Depth depth)
{
    const QImage straight = canvas.convertToFormat(QImage::Format_ARGB32);
    switch (depth) {
    case Depth::TrueColourAlpha:
        return straight;
    case Depth::TrueColourMasked:
        return masked(straight);
    case Depth::TrueColour:
        return opaque(straight);
    case Depth::Colours256:
        return indexed(straight, 256);
    case Depth::Colours16:
        return indexed(straight, 16);
    }
    throw std::logic_error("unknown depth");
}
