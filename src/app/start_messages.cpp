#include "app/start_messages.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <cstring>
#include <mutex>
#include <vector>

#include "app/start_cause.h"
#include "app/start_failure.h"

namespace app {

namespace {

// Never destroyed: Qt may still give messages while a process that exits
// during the creation runs its static destructors.
struct Said {
    std::mutex lock;
    std::vector<QtSaid> messages;
};
Said& said = *new Said;
// The person turned the loader's reports on: they pass as they come.
bool loaderAskedFor = false;

bool askedForLoaderReports()
{
    if (qEnvironmentVariableIntValue("QT_DEBUG_PLUGINS") > 0)
        return true;
    // Read before the program turns it on: the person's rules alone.
    const QLoggingCategory category(kPluginLoaderCategory);
    return category.isDebugEnabled();
}

void startHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const bool loaderReport =
        context.category != nullptr && std::strcmp(context.category, kPluginLoaderCategory) == 0;
    if (!loaderReport || type != QtDebugMsg || loaderAskedFor) {
        const QByteArray formatted = (qFormatLogMessage(type, context, text) + QLatin1Char('\n')).toLocal8Bit();
        writeToStderr({formatted.constData(), static_cast<std::size_t>(formatted.size())});
    }
    std::vector<QtSaid> soFar;
    {
        const std::lock_guard lock(said.lock);
        said.messages.push_back({QString::fromUtf8(context.category), text});
        if (type == QtFatalMsg)
            soFar = said.messages;
    }
    if (type == QtFatalMsg)
        endStart(causeOf(soFar, text));
}

} // namespace

StartMessages::StartMessages()
{
    loaderAskedFor = askedForLoaderReports();
    QLoggingCategory::setFilterRules(QLatin1String(kPluginLoaderCategory) + QLatin1String(".debug=true"));
    previous_ = qInstallMessageHandler(startHandler);
}

StartMessages::~StartMessages()
{
    qInstallMessageHandler(previous_);
    QLoggingCategory::setFilterRules(QString());
    const std::lock_guard lock(said.lock);
    said.messages.clear();
}

} // namespace app
