#include "app/start_cause.h"

#include <QRegularExpression>

namespace app {

namespace {

// The loader's report on a plugin file that did not load, and why.
const QRegularExpression kLoadFailed(QStringLiteral("loadPlugin failed on \"[^\"]*\" : \"(.*)\"$"));
const QRegularExpression kNotFound(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
const QRegularExpression kNotStarted(QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));

// The platform plugins Qt offers, from its fatal message.
std::string availablePlugins(const QString& fatalText)
{
    QString available = fatalText.section(QStringLiteral("Available platform plugins are: "), 1).trimmed();
    if (available.endsWith(QLatin1Char('.')))
        available.chop(1);
    return available.toStdString();
}

std::string causeForPlugin(const std::string& name, const QString& loadFailure, const DisplayTarget& target)
{
    if (!loadFailure.isEmpty())
        return "the display plugin \"" + name + "\" could not be loaded: " + loadFailure.toStdString();
    if (name.starts_with("wayland"))
        return "no Wayland display to connect to (" + described(target.waylandDisplay) + ", "
               + described("XDG_RUNTIME_DIR") + ")";
    if (name == "xcb")
        return "no usable display (" + described(target.x11Display) + ", " + described(target.waylandDisplay) + ")";
    return "the display system \"" + name + "\" could not start";
}

} // namespace

std::string causeOf(const std::vector<QtSaid>& said, const QString& fatalText, const DisplayTarget& target)
{
    // The platform plugins are tried in turn; the first one asked for names
    // the cause, with the load failure the loader reported just before it.
    QString loadFailure;
    for (const QtSaid& message : said) {
        const auto failed = message.category == QLatin1String(kPluginLoaderCategory)
                                ? kLoadFailed.match(message.text)
                                : QRegularExpressionMatch();
        if (failed.hasMatch()) {
            loadFailure = failed.captured(1);
            continue;
        }
        if (const auto missing = kNotFound.match(message.text); missing.hasMatch()) {
            const std::string from = target.platform.given() ? described(target.platform) + "; " : "";
            return "there is no display system called \"" + missing.captured(1).toStdString() + "\" ("
                   + from + "this machine has " + availablePlugins(fatalText) + ")";
        }
        if (const auto unstarted = kNotStarted.match(message.text); unstarted.hasMatch())
            return causeForPlugin(unstarted.captured(1).toStdString(), loadFailure, target);
    }
    // Given up on inside a platform plugin: its own words are the cause.
    return "the display system could not start: " + fatalText.section(QLatin1Char('\n'), 0, 0).toStdString();
}

std::string displayOf(const std::string& platform, const DisplayTarget& target)
{
    // The client library's own default where WAYLAND_DISPLAY names none.
    if (platform.starts_with("wayland"))
        return "the Wayland display \"" + (target.waylandDisplay.given() ? *target.waylandDisplay.value : "wayland-0")
               + "\"";
    return "the display \"" + target.x11Display.value.value_or("") + "\"";
}

std::string described(const Setting& setting)
{
    if (!setting.value)
        return setting.name + " not set";
    return setting.name + (setting.name.starts_with('-') ? " \"" : "=\"") + *setting.value + "\"";
}

std::string described(const char* variable)
{
    return described(Setting{variable, processEnvironment(variable)});
}

} // namespace app
