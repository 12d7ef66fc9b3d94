#include "window/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "window/twips.h"

// Outside any namespace, as the resource system requires.
static void loadFontResource()
{
    Q_INIT_RESOURCE(fonts);
}

namespace window {

namespace {
constexpr auto kFontFile = ":/fonts/LiberationSans-Regular.ttf";
constexpr auto kFallbackFamily = "Liberation Sans";

// The built-in face, added to the program's fonts on first use.
QString captionFamily()
{
    static const QString family = [] {
        loadFontResource();
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString::fromLatin1(kFallbackFamily) : families.first();
    }();
    return family;
}

} // namespace

QFont captionFont(double points, QFont::Weight weight)
{
    QFont font(captionFamily());
    // Pixels, not points: the controls are laid out in pixels, and a desktop
    // reporting another resolution must not make the captions outgrow them.
    font.setPixelSize(qRound(pointsToPixels(points)));
    font.setWeight(weight);
    return font;
}

} // namespace window
